#include "dialogs/crs_dialog.h"

#include <QCompleter>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QStringListModel>
#include <algorithm>

#include "crs/crs.h"
#include "crs/datum_change.h"
#include "dialogs/dialog_controls.h"

namespace zolvane {
namespace {

// Offered first: the systems of the surveys this program serves.
constexpr const char* kCommonCodes[] = {"EPSG:4326",  "EPSG:4230",  "EPSG:4258",  "EPSG:32628",
                                        "EPSG:32629", "EPSG:32630", "EPSG:32631", "EPSG:23028",
                                        "EPSG:23029", "EPSG:23030", "EPSG:23031", "EPSG:25828",
                                        "EPSG:25829", "EPSG:25830", "EPSG:25831"};

QString EntryText(const CrsEntry& entry) {
  return QString::fromStdString(entry.code + " - " + entry.name);
}

// Every system of the database, the common ones first, as "EPSG:25830 - ETRS89 / UTM zone 30N".
QStringList Completions() {
  const std::vector<CrsEntry> all = FindCrs("");
  QStringList common, others;
  for (const char* code : kCommonCodes) {
    for (const CrsEntry& entry : all) {
      if (entry.code == code) common << EntryText(entry);
    }
  }
  for (const CrsEntry& entry : all) {
    const QString text = EntryText(entry);
    if (!common.contains(text)) others << text;
  }
  return common + others;
}

QString CrsOf(const QLineEdit* box) {
  static const QRegularExpression kCompletion("^([A-Za-z_]+:[0-9A-Za-z_]+) - ");
  const QString text = box->text().trimmed();
  const QRegularExpressionMatch match = kCompletion.match(text);
  return match.hasMatch() ? match.captured(1) : text;
}

}  // namespace

CrsDialog::CrsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("crs");
  setWindowTitle("Zolvane - DATUM CHANGE");
  from_ = NamedBox(this, "from", "EPSG:4326 - WGS 84");
  to_ = NamedBox(this, "to", "EPSG:32631 - WGS 84 / UTM zone 31N");
  // Offers the systems holding every word typed, in any order: "ETRS89 30N" finds
  // "ETRS89 / UTM zone 30N".
  const QStringList all = Completions();
  for (QLineEdit* box : {from_, to_}) {
    auto* offered = new QStringListModel(this);
    auto* completer = new QCompleter(offered, this);
    completer->setObjectName("completer");
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    box->setCompleter(completer);
    connect(box, &QLineEdit::textEdited, this, [all, offered, completer](const QString& text) {
      const QStringList words = text.split(' ', Qt::SkipEmptyParts);
      if (words.isEmpty()) return;
      QStringList matching;
      for (const QString& entry : all) {
        if (std::all_of(words.begin(), words.end(), [&](const QString& word) {
              return entry.contains(word, Qt::CaseInsensitive);
            })) {
          matching << entry;
        }
      }
      offered->setStringList(matching);
      completer->complete();
    });
  }
  operation_ = NamedLabel(this, "operation", "");
  operation_->setWordWrap(true);
  QPushButton* ok = NamedButton(this, "ok", "OK");
  QPushButton* cancel = NamedButton(this, "cancel", "Cancel");

  auto* layout = new QGridLayout(this);
  layout->addWidget(NamedLabel(this, nullptr, "From (code, name or PROJ string)"), 0, 0);
  layout->addWidget(from_, 0, 1);
  layout->addWidget(NamedLabel(this, nullptr, "To"), 1, 0);
  layout->addWidget(to_, 1, 1);
  layout->addWidget(operation_, 2, 0, 1, 2);
  layout->addWidget(ok, 3, 0);
  layout->addWidget(cancel, 3, 1);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(from_, &QLineEdit::editingFinished, this, &CrsDialog::ShowOperation);
  connect(to_, &QLineEdit::editingFinished, this, &CrsDialog::ShowOperation);
  ShowOperation();
}

QString CrsDialog::From() const {
  return CrsOf(from_);
}
QString CrsDialog::To() const {
  return CrsOf(to_);
}

void CrsDialog::ShowOperation() {
  CrsFault fault = CrsFault::None;
  std::string message;
  const auto transform =
      CrsTransform::Create(From().toStdString(), To().toStdString(), fault, message);
  if (!transform) {
    if (fault == CrsFault::UnknownCrs) message += std::string("\n") + kCrsSearchHint;
    operation_->setText(QString::fromStdString(message));
    return;
  }
  const CrsOperation& operation = transform->Operation();
  QString text = "Operation: " + QString::fromStdString(operation.name) + ", ";
  text += operation.accuracy < 0 ? QString("accuracy unknown")
                                 : QString("accuracy %1 m").arg(operation.accuracy);
  if (operation.ballpark) text += " (no datum shift known: a ballpark transformation)";
  if (const std::string note = MissingGridNote(operation); !note.empty())
    text += "\n" + QString::fromStdString(note);
  operation_->setText(text);
}

}  // namespace zolvane
