#include "app/help_window.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zolvane {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("help");
  setWindowTitle("Zolvane32 HELP page");
  auto* text = new QTextBrowser(this);
  text->setObjectName("RichTextBox1");
  text->setReadOnly(true);
  text->setOpenExternalLinks(false);
  QFile document(":/help/help.html");
  if (document.open(QIODevice::ReadOnly)) {
    text->setHtml(QString::fromUtf8(document.readAll()));
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text);
  resize(640, 560);
}

}  // namespace zolvane
