#include "dialogs/fbna2xml_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/numbers.h"
#include "formats/bna/markup.h"

namespace zolvane {

Fbna2xmlDialog::Fbna2xmlDialog(ColourChooser chooser, QWidget* parent)
    : QDialog(parent), chooser_(std::move(chooser)) {
  setObjectName("Fbna2xml");
  setWindowTitle("BNA => XML");

  auto* notice = new QLabel(
      "Google Earth only accepts WGS84 LAT/LON data   remember convert your BNA to degrees in "
      "WGS84)",
      this);
  notice->setObjectName("Label1");
  notice->setWordWrap(true);

  auto* labels = new QGroupBox("BNA label to be used", this);
  labels->setObjectName("Frame4");
  auto* first = new QRadioButton("Fisrt", labels);
  first->setObjectName("Option1");
  first->setChecked(true);
  second_ = new QRadioButton("Second", labels);
  second_->setObjectName("Option2");
  auto* labelsLayout = new QVBoxLayout(labels);
  labelsLayout->addWidget(first);
  labelsLayout->addWidget(second_);

  auto* lines = new QGroupBox("Lines properties", this);
  lines->setObjectName("Frame2");
  lineButton_ = new QPushButton("Color", lines);
  lineButton_->setObjectName("colorlinea");
  lineWidth_ = new QLineEdit(lines);
  lineWidth_->setObjectName("lineancho");
  auto* linesLayout = new QGridLayout(lines);
  linesLayout->addWidget(lineButton_, 0, 0, 1, 2);
  linesLayout->addWidget(new QLabel("Line Width", lines), 1, 0);
  linesLayout->addWidget(lineWidth_, 1, 1);

  // The point style is offered as in the KML dialog but the markers do not carry it.
  auto* points = new QGroupBox("Points properties", this);
  points->setObjectName("Frame1");
  pointButton_ = new QPushButton("Color", points);
  pointButton_->setObjectName("colorpoint");
  auto* symbol = new QComboBox(points);
  symbol->setObjectName("Symbol");
  symbol->setEditable(true);
  symbol->addItems(KmlSymbols());
  auto* symbolScale = new QLineEdit("0.5", points);
  symbolScale->setObjectName("symbolscale");
  auto* pointsLayout = new QGridLayout(points);
  pointsLayout->addWidget(pointButton_, 0, 0, 1, 2);
  pointsLayout->addWidget(new QLabel("Symbol", points), 1, 0);
  pointsLayout->addWidget(symbol, 1, 1);
  pointsLayout->addWidget(new QLabel("Symbol size", points), 2, 0);
  pointsLayout->addWidget(symbolScale, 2, 1);

  auto* csv = new QGroupBox("CSV", this);
  csv->setObjectName("Frame3");
  combine_ = new QCheckBox("Combine with CSV file", csv);
  combine_->setObjectName("csvcheck");
  csvFile_ = new QLineEdit(csv);
  csvFile_->setObjectName("csvfile");
  csvFile_->setEnabled(false);
  csvFile_->installEventFilter(this);
  syncField_ = new QLineEdit(csv);
  syncField_->setObjectName("sincrofield");
  auto* csvLayout = new QGridLayout(csv);
  csvLayout->addWidget(combine_, 0, 0, 1, 2);
  csvLayout->addWidget(new QLabel("CSV file", csv), 1, 0);
  csvLayout->addWidget(csvFile_, 1, 1);
  csvLayout->addWidget(new QLabel("CSV Field number to syncronize with bna label", csv), 2, 0);
  csvLayout->addWidget(syncField_, 2, 1);

  auto* accept = new QPushButton("CONTINUE", this);
  accept->setObjectName("Command4");
  accept->setDefault(true);
  auto* cancel = new QPushButton("CANCEL", this);
  cancel->setObjectName("Command5");

  auto* layout = new QGridLayout(this);
  layout->addWidget(notice, 0, 0, 1, 2);
  layout->addWidget(labels, 1, 0);
  layout->addWidget(lines, 1, 1);
  layout->addWidget(points, 2, 0);
  layout->addWidget(csv, 2, 1);
  layout->addWidget(accept, 3, 0);
  layout->addWidget(cancel, 3, 1);

  connect(lineButton_, &QPushButton::clicked, this, [this] {
    const std::optional<std::uint32_t> chosen = chooser_(lineColourValue_);
    if (!chosen) return;
    lineColourValue_ = *chosen;
    lineColour_ = HtmlColour(lineColourValue_);
    lineButton_->setText(QString("\"%1\"").arg(QString::fromStdString(lineColour_)));
    PaintColour(lineButton_, lineColourValue_);
  });
  connect(pointButton_, &QPushButton::clicked, this, [this] {
    const std::optional<std::uint32_t> chosen = chooser_(pointColour_);
    if (!chosen) return;
    pointColour_ = *chosen;
    pointButton_->setText(QString("\"%1\"").arg(QString::fromStdString(HtmlColour(pointColour_))));
    PaintColour(pointButton_, pointColour_);
  });
  connect(combine_, &QCheckBox::toggled, csvFile_, &QLineEdit::setEnabled);
  connect(accept, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool Fbna2xmlDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == csvFile_ && event->type() == QEvent::MouseButtonPress && csvFile_->isEnabled()) {
    ChooseCsvFile();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void Fbna2xmlDialog::ChooseCsvFile() {
  QFileDialog dialog(this);
  dialog.setObjectName("CommonDialog1");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setWindowTitle("Open");
  const QStringList filters{"All files (*)", "CSV (*.csv)"};
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters[1]);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  csvFile_->setText(dialog.selectedFiles().front());
}

XmlChoice Fbna2xmlDialog::Choice() const {
  XmlChoice choice;
  choice.LabelChoice = second_->isChecked() ? 2 : 1;
  choice.LineColour = lineColour_;
  choice.LineWidth = lineWidth_->text().toStdString();
  choice.CombineCsv = combine_->isChecked();
  choice.CsvFile = csvFile_->text().toStdString();
  choice.SyncColumn = ToInt32(RoundHalfEven(ReadNumber(syncField_->text().toStdString())));
  return choice;
}

}  // namespace zolvane
