#include "dialogs/xml_markers_dialog.h"

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

#include "core/numbers.h"
#include "formats/bna/markup.h"

namespace zolvane {

XmlMarkersDialog::XmlMarkersDialog(ColourChooser chooser, QWidget* parent)
    : QDialog(parent), chooser_(std::move(chooser)) {
  setObjectName("Fbna2xml");
  setWindowTitle("BNA => XML");

  const LabelRadios labels = MakeLabelRadios(this, "BNA label to be used");
  second_ = labels.second;
  const LineControls lines = MakeLineControls(this, "");
  lineButton_ = lines.colour;
  lineWidth_ = lines.width;

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

  const ContinueCancel buttons = MakeContinueCancel(this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Wgs84Notice(this), 0, 0, 1, 2);
  layout->addWidget(labels.box, 1, 0);
  layout->addWidget(lines.box, 1, 1);
  layout->addWidget(points, 2, 0);
  layout->addWidget(csv, 2, 1);
  layout->addWidget(buttons.accept, 3, 0);
  layout->addWidget(buttons.cancel, 3, 1);

  connect(lineButton_, &QPushButton::clicked, this, [this] {
    if (!ChooseColour(chooser_, lineColourValue_, lineButton_)) return;
    lineColour_ = HtmlColour(lineColourValue_);
    lineButton_->setText(QString("\"%1\"").arg(QString::fromStdString(lineColour_)));
  });
  connect(pointButton_, &QPushButton::clicked, this, [this] {
    if (!ChooseColour(chooser_, pointColour_, pointButton_)) return;
    pointButton_->setText(QString("\"%1\"").arg(QString::fromStdString(HtmlColour(pointColour_))));
  });
  connect(combine_, &QCheckBox::toggled, csvFile_, &QLineEdit::setEnabled);
}

bool XmlMarkersDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == csvFile_ && event->type() == QEvent::MouseButtonPress && csvFile_->isEnabled()) {
    ChooseCsvFile();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void XmlMarkersDialog::ChooseCsvFile() {
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

XmlMarkersChoice XmlMarkersDialog::Choice() const {
  XmlMarkersChoice choice;
  choice.LabelChoice = second_->isChecked() ? 2 : 1;
  choice.LineColour = lineColour_;
  choice.LineWidth = lineWidth_->text().toStdString();
  choice.CombineCsv = combine_->isChecked();
  choice.CsvFile = csvFile_->text().toStdString();
  choice.SyncColumn = ToInt32(RoundHalfEven(ReadNumber(syncField_->text().toStdString())));
  return choice;
}

}  // namespace zolvane
