#include <QApplication>

#include "app/trevil.h"
#include "core/run_state.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  zolvane::RunState state;
  zolvane::Trevil window(state);
  window.show();
  std::vector<std::string> files;
  for (const QString& argument : application.arguments().mid(1))
    files.push_back(argument.toStdString());
  window.OpenInPreview(files);
  return application.exec();
}
