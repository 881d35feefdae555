#include "app/screen_hub.h"

#include <QMdiSubWindow>
#include <vector>

#include "assembly/assembly_screen.h"
#include "bench/bessel_viewer.h"
#include "bench/research_bench.h"
#include "frame/literature_screen.h"
#include "frame/main_window.h"
#include "frame/personal_data_screen.h"
#include "frame/title_screen.h"
#include "measure/band_screen.h"
#include "measure/characteristic_screen.h"
#include "measure/report_screen.h"
#include "platform/desktop.h"
#include "screen/lab_screen.h"

namespace {
bool livesInMainWindow(ScreenId id) { return id == ScreenId::Assembly || id == ScreenId::Report; }

void bringToFront(LabScreen* screen) {
  if (auto* frame = qobject_cast<QMdiSubWindow*>(screen->parentWidget())) frame->show();
  if (!screen->isVisible()) screen->show();
  screen->raise();
  screen->activateWindow();
}
}  // namespace

ScreenHub::ScreenHub(ModЧМ& state, Desktop& desktop) : state_(state), desktop_(desktop) {}

ScreenHub::~ScreenHub() {
  ended_ = true;
  // Children of the main window go with it; delete the top-level windows only.
  std::vector<LabScreen*> windows;
  for (const auto& [id, screen] : screens_) {
    if (!livesInMainWindow(id)) windows.push_back(screen);
  }
  screens_.clear();
  for (LabScreen* window : windows) delete window;
}

LabScreen* ScreenHub::find(ScreenId id) const {
  const auto it = screens_.find(id);
  return it == screens_.end() ? nullptr : it->second;
}

LabScreen* ScreenHub::create(ScreenId id) {
  switch (id) {
    case ScreenId::Title:
      return new FrmНачЧМ(*this);
    case ScreenId::PersonalData:
      return new FrmФИО(*this);
    case ScreenId::MainWindow:
      return new MDIFrmАнМод(*this);
    case ScreenId::Assembly:
      return new FrmМонтаж(*this);
    case ScreenId::Bench:
      return new FrmИсслЧМ1(*this);
    case ScreenId::Characteristic:
      return new frmХарЧМ1(*this);
    case ScreenId::Band:
      return new РасчЧМ(*this);
    case ScreenId::Literature:
      return new FrmЛитература(*this);
    case ScreenId::Bessel:
      return new FrmБессель(*this);
    case ScreenId::Report:
      return new FrmОтчет(*this);
  }
  return nullptr;
}

LabScreen* ScreenHub::show(ScreenId id) {
  if (ended_) return nullptr;
  if (LabScreen* open = find(id)) {
    bringToFront(open);
    return open;
  }
  if (!livesInMainWindow(id)) return load(id, nullptr);
  // A child of the main window needs the main window: showing it loads it, as the system does,
  // and its load may already have shown the child.
  auto* mainWindow = dynamic_cast<MDIFrmАнМод*>(find(ScreenId::MainWindow));
  if (!mainWindow) {
    mainWindow = dynamic_cast<MDIFrmАнМод*>(load(ScreenId::MainWindow, nullptr));
    if (!mainWindow) return nullptr;
    if (LabScreen* loadedMeanwhile = find(id)) return loadedMeanwhile;
  }
  return load(id, mainWindow);
}

LabScreen* ScreenHub::load(ScreenId id, MDIFrmАнМод* mainWindow) {
  LabScreen* screen = create(id);
  screens_[id] = screen;
  if (mainWindow) mainWindow->embed(screen);
  screen->load();
  if (find(id) != screen) return nullptr;  // the load unloaded it, or ended the program
  bringToFront(screen);
  return screen;
}

void ScreenHub::screenDestroyed(LabScreen* screen) {
  // A screen destroyed while still loaded was closed with its window's close box, or went with
  // the main window. The program ends with its last screen.
  const auto it = screens_.find(screen->screenId());
  if (it == screens_.end() || it->second != screen) return;
  screens_.erase(it);
  if (!ended_ && screens_.empty()) {
    endProgram();
  } else if (screen->screenId() == ScreenId::Report) {
    // The report's close box ends report mode as its "Выход" does: the main window, which then
    // holds nothing, goes with it, and the next preview loads both anew.
    unload(ScreenId::MainWindow);
  }
}

void ScreenHub::unload(ScreenId id) {
  const auto it = screens_.find(id);
  if (it == screens_.end()) return;
  LabScreen* screen = it->second;
  screens_.erase(it);
  if (id == ScreenId::MainWindow) {
    // The screens inside the main window go with it.
    screens_.erase(ScreenId::Assembly);
    screens_.erase(ScreenId::Report);
  }
  screen->hide();
  if (auto* frame = qobject_cast<QMdiSubWindow*>(screen->parentWidget())) {
    frame->hide();
    frame->deleteLater();
  } else {
    screen->deleteLater();
  }
  // A screen that went by its own button or menu, or was unloaded by another, may have been the
  // last one: then the program ends with it, as it does after a close box.
  if (!ended_ && screens_.empty()) endProgram();
}

void ScreenHub::endProgram() {
  if (ended_) return;
  ended_ = true;
  std::vector<ScreenId> loaded;
  for (const auto& [id, screen] : screens_) loaded.push_back(id);
  for (ScreenId id : loaded) unload(id);
  desktop_.endProgram();
}
