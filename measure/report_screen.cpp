#include "measure/report_screen.h"

#include "app/screen_hub.h"
#include "app/work_state.h"

FrmОтчет::FrmОтчет(ScreenHub& hub)
    : LabScreen(hub, ScreenId::Report, QStringLiteral("FrmОтчет"),
                QStringLiteral("Модуляционная характеристика")) {
  addMenuBarItem(QStringLiteral("mnuПеч"), QStringLiteral("Печать"));
  connect(addMenuBarItem(QStringLiteral("mnuOK"), QStringLiteral("Выход")), &QAction::triggered,
          this, [this] { this->hub().unload(ScreenId::MainWindow); });
  setClientSizeTwips(7700, 11460, false);
}

void FrmОтчет::load() { state().Предв = 0; }
