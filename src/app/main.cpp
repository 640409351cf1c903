#include <QApplication>

#include "app/trevil.h"
#include "core/run_state.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  zolvane::RunState state;
  zolvane::Trevil window(state);
  window.show();
  return application.exec();
}
