#include "dialogs/survey_date_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/number_format.h"
#include "core/numbers.h"

namespace zolvane {
namespace {

// Replaces the text by the integer part of its leading number ("0" without one).
void KeepWholeNumber(QLineEdit* box) {
  QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
    const QString whole =
        QString::fromStdString(FormatGeneral(Fix(ReadNumber(text.toStdString()))));
    if (whole != text) box->setText(whole);
  });
}

}  // namespace

SurveyDateDialog::SurveyDateDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("igrfdata");
  setWindowTitle("Zolvane - IGRF 2005");

  year_ = new QLineEdit("2005", this);
  year_->setObjectName("anny");
  month_ = new QLineEdit("1", this);
  month_->setObjectName("Mes");
  month_->setToolTip("1 to 12");
  KeepWholeNumber(year_);
  KeepWholeNumber(month_);
  auto* note = new QLabel("Anomaly will be refered to the 2005 IGRF.", this);
  note->setObjectName("Label2");
  auto* next = new QPushButton("Next", this);
  next->setObjectName("Command1");
  next->setDefault(true);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Year: ", this), 0, 0);
  layout->addWidget(year_, 0, 1);
  layout->addWidget(new QLabel("Month: ", this), 1, 0);
  layout->addWidget(month_, 1, 1);
  layout->addWidget(note, 2, 0, 1, 2);
  layout->addWidget(next, 3, 0, 1, 2);
  connect(next, &QPushButton::clicked, this, &QDialog::accept);
}

double SurveyDateDialog::Year() const {
  return ReadNumber(year_->text().toStdString());
}
double SurveyDateDialog::Month() const {
  return ReadNumber(month_->text().toStdString());
}

}  // namespace zolvane
