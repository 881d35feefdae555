#include <QApplication>

#include "app/startup.h"
#include "app/work_state.h"
#include "platform/application_setup.h"
#include "platform/desktop.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  setUpApplication(application);
  ModЧМ state;
  Main(state, systemDesktop());
  const int code = QApplication::exec();
  closeProgram();  // the screens go before the application object does
  return code;
}
