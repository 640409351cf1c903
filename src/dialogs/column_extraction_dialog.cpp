#include "dialogs/column_extraction_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/number_format.h"
#include "core/numbers.h"

namespace zolvane {
namespace {

QLabel* Label(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

// The whole number a frequency text reads as, within 16 bits.
QString WholeNumberText(const QString& text) {
  const double value = std::clamp(Int(ReadNumber(text.toStdString())), -32768.0, 32767.0);
  return QString::fromStdString(FormatGeneral(value));
}

}  // namespace

ColumnExtractionDialog::ColumnExtractionDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("xyzc");
  setWindowTitle(" Zolvane - Extract");

  bna_ = new QCheckBox("bna", this);
  bna_->setObjectName("Bnasi");

  extract_ = new QGroupBox("Extract", this);
  extract_->setObjectName("Frame4");
  columns_ = new QCheckBox("Columns", extract_);
  columns_->setObjectName("Check1");
  columns_->setChecked(true);
  lines_ = new QCheckBox("Lines", extract_);
  lines_->setObjectName("Check2");
  auto* extractLayout = new QVBoxLayout(extract_);
  extractLayout->addWidget(columns_);
  extractLayout->addWidget(lines_);

  auto* frequencyFrame = new QGroupBox("Frequence", this);
  frequencyFrame->setObjectName("Frame3");
  frequency_ = new QLineEdit("1", frequencyFrame);
  frequency_->setObjectName("Freq");
  auto* frequencyLayout = new QHBoxLayout(frequencyFrame);
  frequencyLayout->addWidget(Label("Label3_1", "Extract a point each : ", frequencyFrame));
  frequencyLayout->addWidget(frequency_);
  frequencyLayout->addWidget(Label("Label1_3", "lines", frequencyFrame));

  columnsFrame_ = new QGroupBox("Colummns to extract", this);
  columnsFrame_->setObjectName("frame2");
  auto* columnsLayout = new QGridLayout(columnsFrame_);
  const char* captions[3] = {"X", "Y", "Z (optional)"};
  for (int i = 0; i < 3; ++i) {
    columnBoxes_[i] = new QLineEdit("0", columnsFrame_);
    columnBoxes_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
    auto* label = new QLabel(captions[i], columnsFrame_);
    label->setObjectName(QStringLiteral("Label1_%1").arg(i));
    columnsLayout->addWidget(label, i, 0);
    columnsLayout->addWidget(columnBoxes_[i], i, 1);
  }
  columnsLayout->addWidget(Label("Label3_0", "max. Columns: 20", columnsFrame_), 3, 0, 1, 2);

  auto* delimiters = new QGroupBox("Delimiters  ", this);
  delimiters->setObjectName("Frame1");
  auto* comma = new QRadioButton("Comma", delimiters);
  comma->setObjectName("Option1_0");
  comma->setChecked(true);
  auto* delimitersLayout = new QVBoxLayout(delimiters);
  delimitersLayout->addWidget(comma);
  delimitersLayout->addWidget(Label("Label2", "from input file", delimiters));

  auto* next = new QPushButton("Next", this);
  next->setObjectName("Command1");
  next->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Command2");

  auto* layout = new QGridLayout(this);
  layout->addWidget(bna_, 0, 0);
  layout->addWidget(extract_, 1, 0);
  layout->addWidget(frequencyFrame, 1, 1);
  layout->addWidget(columnsFrame_, 2, 0);
  layout->addWidget(delimiters, 2, 1);
  layout->addWidget(next, 3, 0);
  layout->addWidget(cancel, 3, 1);

  connect(bna_, &QCheckBox::toggled, this, [this](bool on) {
    extract_->setEnabled(!on);
    columnsFrame_->setEnabled(!on);
  });
  connect(frequency_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const QString whole = WholeNumberText(text);
    if (whole != text) frequency_->setText(whole);
  });
  connect(next, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool ColumnExtractionDialog::Bna() const {
  return bna_->isChecked();
}
bool ColumnExtractionDialog::Columns() const {
  return columns_->isChecked();
}
bool ColumnExtractionDialog::Lines() const {
  return lines_->isChecked();
}
QString ColumnExtractionDialog::FrequencyText() const {
  return frequency_->text();
}
QString ColumnExtractionDialog::ColumnText(int which) const {
  return columnBoxes_[which]->text();
}

}  // namespace zolvane
