#include "app/qt_ui.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "app/trevil.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "dialogs/fbna2kml_dialog.h"
#include "dialogs/fbna2xml_dialog.h"
#include "dialogs/fusform_dialog.h"
#include "dialogs/translate_dialog.h"
#include "dialogs/xyzi_dialog.h"
#include "dialogs/xyzo_dialog.h"

namespace zolvane {
namespace {

// Events are let through at most this often, so that a pass over a long file is not slowed
// by repainting.
constexpr qint64 kEventIntervalMs = 50;

QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ToQt(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::Ok:
      return QMessageBox::Ok;
    case MessageAnswer::Cancel:
      return QMessageBox::Cancel;
    case MessageAnswer::Yes:
      return QMessageBox::Yes;
    case MessageAnswer::No:
      return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

template <typename Dialog>
Dialog* Created(QPointer<Dialog>& dialog, QWidget* parent) {
  if (!dialog) dialog = new Dialog(parent);
  return dialog;
}

}  // namespace

QStringList NameFilters(std::string_view filters) {
  const QStringList parts = ToQt(filters).split('|');
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(';', ' ');
    // "*.*" would only match names with a dot.
    if (patterns == "*.*") patterns = "*";
    const qsizetype open = description.lastIndexOf('(');
    if (open > 0 && description.endsWith(')')) description = description.left(open).trimmed();
    result << QStringLiteral("%1 (%2)").arg(description, patterns);
  }
  return result;
}

QtUi::QtUi(Trevil& window) : window_(window) {}

QtUi::~QtUi() = default;

void QtUi::SetFileFilters(std::string_view filters) {
  nameFilters_ = NameFilters(filters);
}

std::optional<std::string> QtUi::ChooseFile(int filterIndex, bool forSaving) {
  // A fresh dialog each time, so that no name of the last choice is offered again (a reused
  // save dialog would even rename it to the suffix of the preselected filter).
  QFileDialog dialog(&window_);
  dialog.setObjectName("CMDialog1");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // Neither dialog insists: the open dialog takes any name, the save dialog replaces.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setWindowTitle(forSaving ? "Save As" : "Open");
  if (!lastDirectory_.isEmpty()) dialog.setDirectory(lastDirectory_);
  dialog.setNameFilters(nameFilters_);
  if (filterIndex >= 1 && filterIndex <= nameFilters_.size()) {
    dialog.selectNameFilter(nameFilters_[filterIndex - 1]);
  }
  const bool accepted = dialog.exec() == QDialog::Accepted;
  lastDirectory_ = dialog.directory().absolutePath();
  if (!accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  return files.front().toStdString();
}

std::optional<std::string> QtUi::ChooseInputFile(int filterIndex) {
  return ChooseFile(filterIndex, false);
}

std::optional<std::string> QtUi::ChooseOutputFile(int filterIndex) {
  return ChooseFile(filterIndex, true);
}

MessageAnswer QtUi::Message(std::string_view text, std::string_view title, MessageIcon icon,
                            MessageButtons buttons, MessageAnswer defaultAnswer) {
  QMessageBox::StandardButtons shown = QMessageBox::Ok;
  if (buttons == MessageButtons::OkCancel) shown = QMessageBox::Ok | QMessageBox::Cancel;
  if (buttons == MessageButtons::YesNo) shown = QMessageBox::Yes | QMessageBox::No;
  QMessageBox box(ToQt(icon), ToQt(title), ToQt(text), shown, &window_);
  box.setTextFormat(Qt::PlainText);
  if (shown.testFlag(ToQt(defaultAnswer))) box.setDefaultButton(ToQt(defaultAnswer));
  switch (box.exec()) {
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Ok;
  }
}

std::string QtUi::InputBox(std::string_view prompt, std::string_view title,
                           std::string_view defaultText) {
  QInputDialog dialog(&window_);
  dialog.setWindowTitle(ToQt(title));
  dialog.setLabelText(ToQt(prompt));
  dialog.setTextValue(ToQt(defaultText));
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.textValue().toStdString();
}

std::optional<std::uint32_t> QtUi::ChooseColour(std::uint32_t initial) {
  const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
  const QColor chosen =
      QColorDialog::getColor(start, &window_, QString(), QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return std::nullopt;
  return static_cast<std::uint32_t>(chosen.red()) |
         static_cast<std::uint32_t>(chosen.green()) << 8 |
         static_cast<std::uint32_t>(chosen.blue()) << 16;
}

void QtUi::SetStatus(std::string_view text) {
  window_.ShowStatus(ToQt(text));
}

void QtUi::SetInputFileName(std::string_view name) {
  window_.ShowInputFileName(ToQt(name));
}

void QtUi::SetOutputFileName(std::string_view name) {
  window_.ShowOutputFileName(ToQt(name));
}

void QtUi::ShowStatistics(const Statistics& s) {
  const auto text = [](double value) { return QString::fromStdString(FormatGeneral(value)); };
  window_.ShowStatistics(
      {text(s.XMax), text(s.YMax), text(s.XMin), text(s.YMin), text(s.ZMax), text(s.ZMin)});
}

void QtUi::SetProgressCount(long long count) {
  window_.ShowCount(QString::number(count));
}

bool QtUi::Progress(std::uint64_t done, std::uint64_t total) {
  if (!sinceEvents_.isValid() || sinceEvents_.elapsed() >= kEventIntervalMs) {
    window_.ShowProgress(done, total);
    QCoreApplication::processEvents();
    sinceEvents_.start();
  }
  return !stopRequested_;
}

void QtUi::StartCommand() {
  stopRequested_ = false;
  sinceEvents_.invalidate();
}

std::optional<XyzoChoice> QtUi::Xyzo() {
  XyzoDialog* dialog = Created(xyzo_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return XyzoChoice{dialog->OutputFormatCode(), dialog->Distances()};
}

std::optional<XyziChoice> QtUi::Xyzi() {
  XyziDialog* dialog = Created(xyzi_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return XyziChoice{dialog->InputFormatCode(), dialog->CheckStatistics()};
}

std::optional<ZoneChoice> QtUi::ChooseZone() {
  FusformDialog* dialog = Created(fusform_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return ZoneChoice{dialog->UtmZone(), dialog->CentralMeridian()};
}

std::optional<TranslateChoice> QtUi::Translate() {
  TranslateDialog* dialog = Created(translate_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return TranslateChoice{ReadNumber(dialog->DistanceText().toStdString()), dialog->Kilometres(),
                         ReadNumber(dialog->DirectionText().toStdString())};
}

// BNA => KML and BNA => XML: CANCEL and the frame only hide the dialog; a completed run
// deletes it, so the next one starts from the initial values.
std::optional<KmlChoice> QtUi::Fbna2kml() {
  if (!fbna2kml_) {
    fbna2kml_ = new Fbna2kmlDialog([this](std::uint32_t c) { return ChooseColour(c); }, &window_);
  }
  if (fbna2kml_->exec() != QDialog::Accepted) return std::nullopt;
  return fbna2kml_->Choice();
}

void QtUi::ForgetFbna2kml() {
  delete fbna2kml_;
}

std::optional<XmlChoice> QtUi::Fbna2xml() {
  if (!fbna2xml_) {
    fbna2xml_ = new Fbna2xmlDialog([this](std::uint32_t c) { return ChooseColour(c); }, &window_);
  }
  if (fbna2xml_->exec() != QDialog::Accepted) return std::nullopt;
  return fbna2xml_->Choice();
}

void QtUi::ForgetFbna2xml() {
  delete fbna2xml_;
}

}  // namespace zolvane
