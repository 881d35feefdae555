#include "frame/main_window.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/screen_hub.h"
#include "app/work_state.h"
#include "platform/program_dir.h"
#include "platform/twips.h"

MDIFrmАнМод::MDIFrmАнМод(ScreenHub& hub)
    : LabScreen(hub, ScreenId::MainWindow, QStringLiteral("MDIFrmАнМод"), QString()),
      area_(new QMdiArea(this)) {
  area_->setObjectName(QStringLiteral("MDIFrmАнМод.area"));
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(area_);
  resize(twipsSize(6945, 5730));
}

QMdiSubWindow* MDIFrmАнМод::embed(LabScreen* screen) {
  QMdiSubWindow* frame = area_->addSubWindow(screen);
  frame->setObjectName(screen->objectName() + QStringLiteral(".frame"));
  return frame;
}

void MDIFrmАнМод::load() {
  makeProgramDirectoryCurrent();
  if (state().Предв == 0) {
    hub().unload(ScreenId::PersonalData);
    state().Заголовок = QStringLiteral("Монтаж схемы для исследования характеристик частотного модулятора");
    setWindowTitle(state().Заголовок);
    hub().show(ScreenId::Assembly);
  } else {
    hub().show(ScreenId::Report);
  }
}
