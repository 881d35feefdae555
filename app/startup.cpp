#include "app/startup.h"

#include <QCoreApplication>

#include "app/screen_hub.h"
#include "platform/program_dir.h"

void Main(ModЧМ& state, Desktop& desktop) {
  makeProgramDirectoryCurrent();  // РабочийКаталог
  auto* hub = new ScreenHub(state, desktop, QCoreApplication::instance());
  hub->show(ScreenId::Title);
}
