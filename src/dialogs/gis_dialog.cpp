#include "dialogs/gis_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/crs_dialog.h"

namespace zolvane {
namespace {

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// The field a combo names; empty for its first entry, the engine's own choice.
std::string FieldOf(const QComboBox* combo) {
  return combo && combo->currentIndex() > 0 ? combo->currentText().toStdString() : std::string();
}

}  // namespace

GisDialog::GisDialog(const GisRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
  setObjectName("GisDialog");
  setWindowTitle(request.import ? "GIS file to BNA" : "To GIS file");
  auto* form = new QFormLayout;
  if (!request.import) {
    format_ = new QComboBox(this);
    format_->setObjectName("format");
    for (const std::string& name : request.formats)
      format_->addItem(Text(name));
    form->addRow("Format", format_);
  } else {
    layer_ = new QComboBox(this);
    layer_->setObjectName("layer");
    layer_->addItem("(every layer)");
    for (const GisLayerFields& layer : request.layers)
      layer_->addItem(Text(layer.name));
    label1_ = new QComboBox(this);
    label1_->setObjectName("label1");
    label2_ = new QComboBox(this);
    label2_->setObjectName("label2");
    form->addRow("Layer", layer_);
    form->addRow("Label 1 field", label1_);
    form->addRow("Label 2 field", label2_);
    connect(layer_, &QComboBox::currentIndexChanged, this, &GisDialog::ShowFields);
    ShowFields();
  }
  crs_ = new QLineEdit(this);
  crs_->setObjectName("crs");
  crs_->setPlaceholderText(request.import ? "none: coordinates as they are" : "none written");
  auto* choose = new QPushButton("Choose…", this);
  choose->setObjectName("chooseCrs");
  auto* crsRow = new QHBoxLayout;
  crsRow->addWidget(crs_);
  crsRow->addWidget(choose);
  form->addRow(request.import ? "Reproject to" : "Coordinate system", crsRow);
  connect(choose, &QPushButton::clicked, this, &GisDialog::ChooseCrs);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ok");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void GisDialog::ChooseCrs() {
  CrsDialog dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  // An export writes the system the data are in; an import reprojects into the target.
  crs_->setText(request_.import ? dialog.To() : dialog.From());
}

// The fields of the layer chosen, or of every layer.
void GisDialog::ShowFields() {
  const int chosen = layer_->currentIndex();
  QStringList fields;
  for (std::size_t i = 0; i < request_.layers.size(); ++i) {
    if (chosen > 0 && static_cast<int>(i) != chosen - 1) continue;
    for (const std::string& field : request_.layers[i].fields) {
      if (!fields.contains(Text(field))) fields << Text(field);
    }
  }
  label1_->clear();
  label1_->addItem("(first text field)");
  label1_->addItems(fields);
  label2_->clear();
  label2_->addItem("(next text field)");
  label2_->addItems(fields);
}

GisChoice GisDialog::Choice() const {
  GisChoice choice;
  if (format_) choice.format = format_->currentIndex();
  choice.crs = crs_->text().trimmed().toStdString();
  if (layer_ && layer_->currentIndex() > 0) choice.layer = layer_->currentText().toStdString();
  choice.label1 = FieldOf(label1_);
  choice.label2 = FieldOf(label2_);
  return choice;
}

}  // namespace zolvane
