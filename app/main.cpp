#include <QApplication>

#include "app/startup.h"
#include "platform/application_setup.h"
#include "platform/desktop.h"
#include "state/work_state.h"

int main(int, char* argv[]) {
  // The program reads no command line: Qt is given only the program's name, so that options
  // such as -style, -stylesheet or -reverse cannot change what the student sees.
  char fallbackName[] = "fmlab";
  int qtArgc = 1;
  char* qtArgv[] = {argv[0] ? argv[0] : fallbackName, nullptr};
  QApplication application(qtArgc, qtArgv);
  setUpApplication(application);
  ModЧМ state;
  Main(state, systemDesktop());
  const int code = QApplication::exec();
  closeProgram();  // the screens go before the application object does
  return code;
}
