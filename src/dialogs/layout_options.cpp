#include "dialogs/layout_options.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolvane {

int OptionFrame::Selected() const {
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (options[i]->isChecked()) return static_cast<int>(i) + 1;
  }
  return 1;
}

OptionFrame MakeOptionFrame(QWidget* parent, const char* name, const char* caption,
                            std::initializer_list<std::pair<const char*, const char*>> options) {
  OptionFrame result;
  result.frame = new QGroupBox(QString::fromUtf8(caption), parent);
  result.frame->setObjectName(QString::fromLatin1(name));
  auto* layout = new QVBoxLayout(result.frame);
  for (const auto& [objectName, optionCaption] : options) {
    auto* option = new QRadioButton(QString::fromUtf8(optionCaption), result.frame);
    option->setObjectName(QString::fromLatin1(objectName));
    layout->addWidget(option);
    result.options.push_back(option);
  }
  if (!result.options.empty()) result.options.front()->setChecked(true);
  return result;
}

void LayOutLayoutDialog(QDialog& dialog, QGroupBox* left, QGroupBox* right, QCheckBox* check,
                        QPushButton* confirm) {
  confirm->setDefault(true);
  QObject::connect(confirm, &QPushButton::clicked, &dialog, &QDialog::accept);
  auto* frames = new QHBoxLayout;
  frames->addWidget(left);
  frames->addWidget(right);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(check);
  bottom->addStretch();
  bottom->addWidget(confirm);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(frames);
  layout->addLayout(bottom);
}

}  // namespace zolvane
