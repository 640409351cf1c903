#include "dialogs/kingdom_navigation_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/number_format.h"
#include "core/numbers.h"

namespace zolvane {
namespace {

double WholeNumberOf(const QString& text) {
  return Int(ReadNumber(text.toStdString()));
}

int ColumnOf(const QLineEdit* box) {
  return ToInt32(WholeNumberOf(box->text()));
}

// Every change leaves the box holding the whole number read from it (0 when emptied).
void KeepWholeNumber(QLineEdit* box) {
  QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
    const QString whole = QString::fromStdString(FormatGeneral(WholeNumberOf(text)));
    if (whole != text) box->setText(whole);
  });
}

}  // namespace

KingdomNavigationDialog::KingdomNavigationDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("cs2ks");
  setWindowTitle("CSV => KS Navigation");
  auto box = [this](const char* name, const char* text) {
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    return edit;
  };
  shot_ = box("Text1", "1");
  x_ = box("Text2", "2");
  y_ = box("Text3", "3");
  lineName_ = box("Text4", "L-0");
  for (QLineEdit* column : {shot_, x_, y_})
    KeepWholeNumber(column);
  auto* note = new QLabel("CSV file must be a file with 3 columns separated by comma. ", this);
  note->setObjectName("Label3");
  note->setWordWrap(true);
  auto* go = new QPushButton("GO", this);
  go->setObjectName("Command1");
  go->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Command2");

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Shot or cdp column", this), 0, 0);
  layout->addWidget(shot_, 0, 1);
  layout->addWidget(new QLabel("X coordinate column", this), 1, 0);
  layout->addWidget(x_, 1, 1);
  layout->addWidget(new QLabel("Y Coordinate column", this), 2, 0);
  layout->addWidget(y_, 2, 1);
  layout->addWidget(new QLabel("Line name:", this), 3, 0);
  layout->addWidget(lineName_, 3, 1);
  layout->addWidget(note, 4, 0, 1, 2);
  layout->addWidget(go, 5, 0);
  layout->addWidget(cancel, 5, 1);
  connect(go, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int KingdomNavigationDialog::ShotColumn() const {
  return ColumnOf(shot_);
}
int KingdomNavigationDialog::XColumn() const {
  return ColumnOf(x_);
}
int KingdomNavigationDialog::YColumn() const {
  return ColumnOf(y_);
}
QString KingdomNavigationDialog::LineName() const {
  return lineName_->text();
}

}  // namespace zolvane
