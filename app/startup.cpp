#include "app/startup.h"

#include <QCoreApplication>
#include <memory>

#include "app/screen_hub.h"
#include "platform/program_dir.h"

namespace {
// The one owner of the running program's screens.
std::unique_ptr<ScreenHub>& started() {
  static std::unique_ptr<ScreenHub> hub;
  return hub;
}
}  // namespace

void Main(ModЧМ& state, Desktop& desktop) {
  makeProgramDirectoryCurrent();  // РабочийКаталог
  closeProgram();
  started() = std::make_unique<ScreenHub>(state, desktop);
  // Screens are widgets: they must go while the application object still exists, also when
  // the caller never closes the program itself.
  static const bool cleanUpRegistered = (qAddPostRoutine(closeProgram), true);
  (void)cleanUpRegistered;
  started()->show(ScreenId::Title);
}

ScreenHub* startedProgram() { return started().get(); }

void closeProgram() { started().reset(); }
