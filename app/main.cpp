#include <QApplication>

#include "app/screen_hub.h"
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
  // The screens go before the application object does.
  delete application.findChild<ScreenHub*>();
  return code;
}
