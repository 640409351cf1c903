#include "app/qt_ui.h"

#include <QApplication>
#include <QColorDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "app/trevil.h"
#include "core/number_format.h"
#include "core/numbers.h"
#include "dialogs/column_extraction_dialog.h"
#include "dialogs/crs_dialog.h"
#include "dialogs/distance_time_dialog.h"
#include "dialogs/filter_dialog.h"
#include "dialogs/gis_dialog.h"
#include "dialogs/input_options_dialog.h"
#include "dialogs/interpolation_dialog.h"
#include "dialogs/kingdom_navigation_dialog.h"
#include "dialogs/kml_style_dialog.h"
#include "dialogs/layback_dialog.h"
#include "dialogs/output_options_dialog.h"
#include "dialogs/parallel_dialog.h"
#include "dialogs/profile_dxf_dialog.h"
#include "dialogs/rotate_dialog.h"
#include "dialogs/survey_date_dialog.h"
#include "dialogs/swath_dialog.h"
#include "dialogs/translate_dialog.h"
#include "dialogs/vec_layer_dialog.h"
#include "dialogs/xml_markers_dialog.h"
#include "dialogs/zone_dialog.h"
#include "survey/graphic_interpolator.h"

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

std::optional<std::string> QtUi::ChooseFile(int filterIndex, bool forSaving,
                                            std::string_view title) {
  // A fresh dialog each time, so that no name of the last choice is offered again (a reused
  // save dialog would even rename it to the suffix of the preselected filter).
  QFileDialog dialog(&window_);
  dialog.setObjectName("CMDialog1");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // Neither dialog insists: the open dialog takes any name, the save dialog replaces.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (!title.empty()) {
    dialog.setWindowTitle(ToQt(title));
  } else {
    dialog.setWindowTitle(forSaving ? "Save As" : "Open");
  }
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

std::optional<std::string> QtUi::ChooseInputFile(int filterIndex, std::string_view title) {
  return ChooseFile(filterIndex, false, title);
}

std::optional<std::string> QtUi::ChooseOutputFile(int filterIndex, std::string_view title) {
  return ChooseFile(filterIndex, true, title);
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
  // An axis without a value stays blank: a 0 there would read as a range.
  const auto text = [](bool has, double value) {
    return has ? QString::fromStdString(FormatGeneral(value)) : QString();
  };
  window_.ShowStatistics({text(s.HasX, s.XMax), text(s.HasY, s.YMax), text(s.HasX, s.XMin),
                          text(s.HasY, s.YMin), text(s.HasZ, s.ZMax), text(s.HasZ, s.ZMin)});
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
  outputCompleted_ = false;
  sinceEvents_.invalidate();
}

std::optional<OutputOptionsChoice> QtUi::OutputOptions() {
  OutputOptionsDialog* dialog = Created(outputOptions_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return OutputOptionsChoice{dialog->OutputFormatCode(), dialog->Distances()};
}

std::optional<InputOptionsChoice> QtUi::InputOptions() {
  InputOptionsDialog* dialog = Created(inputOptions_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return InputOptionsChoice{dialog->InputFormatCode(), dialog->CheckStatistics()};
}

std::optional<ZoneChoice> QtUi::ChooseZone() {
  ZoneDialog* dialog = Created(zone_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return ZoneChoice{dialog->UtmZone(), dialog->CentralMeridian()};
}

std::optional<TranslateChoice> QtUi::Translate() {
  TranslateDialog* dialog = Created(translate_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return TranslateChoice{ReadNumber(dialog->DistanceText().toStdString()), dialog->Kilometres(),
                         ReadNumber(dialog->DirectionText().toStdString())};
}

// Miramon VEC and Kingdom Suite dialogs.
std::optional<VecLayerChoice> QtUi::VecLayer() {
  // Each run starts from the initial settings.
  VecLayerDialog dialog(&window_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return VecLayerChoice{dialog.Identifier(), dialog.Ed50(), dialog.Degrees(), dialog.South(),
                        dialog.ZoneText().toStdString()};
}

std::optional<KingdomNavigationChoice> QtUi::KingdomNavigation(bool keepValues) {
  if (kingdomNavigation_ && !keepValues) delete kingdomNavigation_;
  KingdomNavigationDialog* dialog = Created(kingdomNavigation_, &window_);
  // Not modal: the window stays usable while the dialog waits for GO.
  dialog->setModal(false);
  QEventLoop wait;
  const auto finished = QObject::connect(dialog, &QDialog::finished, &wait, &QEventLoop::quit);
  const auto destroyed = QObject::connect(dialog, &QObject::destroyed, &wait, &QEventLoop::quit);
  dialog->show();
  dialog->raise();
  wait.exec();
  if (!kingdomNavigation_) return std::nullopt;
  QObject::disconnect(finished);
  QObject::disconnect(destroyed);
  if (dialog->result() != QDialog::Accepted) return std::nullopt;
  return KingdomNavigationChoice{dialog->ShotColumn(), dialog->XColumn(), dialog->YColumn(),
                                 dialog->LineName().toStdString()};
}

// Column extraction.
std::optional<ColumnExtractionChoice> QtUi::ColumnExtraction() {
  ColumnExtractionDialog* dialog = Created(columnExtraction_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  ColumnExtractionChoice choice;
  choice.Columns = dialog->Columns();
  choice.Lines = dialog->Lines();
  choice.Frequency = static_cast<int>(ReadNumber(dialog->FrequencyText().toStdString()));
  choice.XColumn = ReadNumber(dialog->ColumnText(0).toStdString());
  choice.YColumn = ReadNumber(dialog->ColumnText(1).toStdString());
  choice.ZColumn = ReadNumber(dialog->ColumnText(2).toStdString());
  choice.Bna = dialog->Bna();
  return choice;
}

// Didger.dxf > Real World 3D DXF.
std::optional<ProfileDxfChoice> QtUi::ProfileDxf() {
  ProfileDxfDialog* dialog = Created(profileDxf_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return dialog->Choice();
}

// Distance-time, parallel lines, rotation, interpolator and filters.
std::optional<DistanceTimeChoice> QtUi::DistanceTime() {
  DistanceTimeDialog* dialog = Created(distanceTime_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return DistanceTimeChoice{dialog->LineSpeed(), dialog->TransitSpeed(), dialog->Ed50()};
}

std::optional<ParallelChoice> QtUi::Parallel() {
  ParallelDialog* dialog = Created(parallel_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return ParallelChoice{dialog->Degrees(),
                        dialog->Xa().toStdString(),
                        dialog->Ya().toStdString(),
                        dialog->Xb().toStdString(),
                        dialog->Yb().toStdString(),
                        dialog->Spacing(),
                        dialog->Count()};
}

std::optional<RotateChoice> QtUi::Rotate() {
  RotateDialog* dialog = Created(rotate_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return RotateChoice{dialog->CentreX(), dialog->CentreY(), dialog->Angle(), dialog->Ccw()};
}

std::optional<CrsChoice> QtUi::ChooseCrs() {
  CrsDialog* dialog = Created(crs_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return CrsChoice{dialog->From().toStdString(), dialog->To().toStdString()};
}

std::optional<GisChoice> QtUi::ChooseGis(const GisRequest& request) {
  // Made afresh: the formats or the file's layers differ from one run to the next.
  GisDialog dialog(request, &window_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

void QtUi::Interpolation() {
  if (!interpolation_) {
    InterpolationDialog* dialog = Created(interpolation_, &window_);
    const auto single = [](const QString& text) {
      return static_cast<float>(ReadNumber(text.toStdString()));
    };
    QObject::connect(dialog, &InterpolationDialog::SliderChanged, dialog,
                     [dialog, single](int value) {
                       const InterpolatedPoint point =
                           InterpolateAt(single(dialog->X1()), single(dialog->Y1()),
                                         single(dialog->X2()), single(dialog->Y2()), value);
                       dialog->ShowPoint(QString::fromStdString(FormatSingle(point.x)),
                                         QString::fromStdString(FormatSingle(point.y)),
                                         QString::fromStdString(point.percent));
                     });
    QObject::connect(dialog, &InterpolationDialog::CalcClicked, dialog, [this, dialog] {
      const auto slider = SliderOfDistances(ReadNumber(dialog->AlongText().toStdString()),
                                            ReadNumber(dialog->TotalText().toStdString()));
      if (!slider) {
        Message(kCalcRefused, " Interpolation ", MessageIcon::Exclamation, MessageButtons::Ok,
                MessageAnswer::Ok);
        return;
      }
      dialog->SetSlider(*slider);
    });
  }
  interpolation_->show();
  interpolation_->raise();
  interpolation_->activateWindow();
}

std::optional<FilterChoice> QtUi::Filter(bool clipping) {
  FilterDialog* dialog = Created(filter_, &window_);
  dialog->SetClipping(clipping);
  const bool accepted = dialog->exec() == QDialog::Accepted;
  dialog->SetClipping(false);
  if (!accepted) return std::nullopt;
  FilterChoice choice;
  choice.ZRange = dialog->ZRange() && !clipping;
  choice.XMax = dialog->XMax();
  choice.XMin = dialog->XMin();
  choice.YMax = dialog->YMax();
  choice.YMin = dialog->YMin();
  choice.ZMax = dialog->ZMax();
  choice.ZMin = dialog->ZMin();
  choice.DeleteWindow = dialog->DeleteWindow() && !clipping;
  choice.CheckStatistics = dialog->Statistics();
  return choice;
}

// Swath coverage, towed vehicle and IGRF anomaly.
std::optional<SwathChoice> QtUi::Swath() {
  SwathDialog* dialog = Created(swath_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return SwathChoice{dialog->Coefficient(), dialog->Degrees(),
                     ReadNumber(dialog->ValueText().toStdString())};
}

std::optional<LaybackChoice> QtUi::Layback() {
  LaybackDialog* dialog = Created(layback_, &window_);
  if (dialog->exec() != QDialog::Accepted) {
    dialog->deleteLater();  // Cancel unloads it: the next run starts from the defaults
    return std::nullopt;
  }
  return LaybackChoice{dialog->Constant(), ReadNumber(dialog->LaybackText().toStdString()),
                       ReadNumber(dialog->MaximumText().toStdString())};
}

std::optional<SurveyDateChoice> QtUi::SurveyDate() {
  SurveyDateDialog* dialog = Created(surveyDate_, &window_);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  return SurveyDateChoice{dialog->Year(), dialog->Month()};
}

// BNA => KML and BNA => XML: CANCEL and the frame only hide the dialog; a completed run
// deletes it, so the next one starts from the initial values.
std::optional<KmlStyleChoice> QtUi::KmlStyle() {
  if (!kmlStyle_) {
    kmlStyle_ = new KmlStyleDialog([this](std::uint32_t c) { return ChooseColour(c); }, &window_);
  }
  if (kmlStyle_->exec() != QDialog::Accepted) return std::nullopt;
  return kmlStyle_->Choice();
}

void QtUi::ForgetKmlStyle() {
  delete kmlStyle_;
}

std::optional<XmlMarkersChoice> QtUi::XmlMarkers() {
  if (!xmlMarkers_) {
    xmlMarkers_ =
        new XmlMarkersDialog([this](std::uint32_t c) { return ChooseColour(c); }, &window_);
  }
  if (xmlMarkers_->exec() != QDialog::Accepted) return std::nullopt;
  return xmlMarkers_->Choice();
}

void QtUi::ForgetXmlMarkers() {
  delete xmlMarkers_;
}

}  // namespace zolvane
