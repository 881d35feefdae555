#include "measure/characteristic_screen.h"

#include <QMenu>
#include <QPushButton>

#include "app/exit_confirmation.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "platform/controls.h"
#include "platform/program_dir.h"

frmХарЧМ1::frmХарЧМ1(ScreenHub& hub)
    : LabScreen(hub, ScreenId::Characteristic, QStringLiteral("frmХарЧМ1"),
                QStringLiteral("Построение модуляционной характеристики")) {
  connect(addMenuBarItem(QStringLiteral("mnuвых"), QStringLiteral("Выход")), &QAction::triggered,
          this, [this] { ПодтверждениеВыхода(this->hub(), this); });
  QMenu* print = addMenuBarMenu(QStringLiteral("mnuПеч"), QStringLiteral("Печать"));
  connect(addMenuItem(print, QStringLiteral("mnuПредв"), QStringLiteral("Предварительный просмотр")),
          &QAction::triggered, this, [this] {
            state().Предв = 1;
            this->hub().show(ScreenId::MainWindow);
          });
  addMenuBarItem(QStringLiteral("mnuЛит"), QStringLiteral("Литература"));
  setClientSizeTwips(9480, 6510);
  auto* next = makeButton(client(), QStringLiteral("CmdДальше"), QStringLiteral("Дальше..."), 120,
                          5880, 1215, 495);
  auto* exit = makeButton(client(), QStringLiteral("CmdEnd"), QStringLiteral("Выход"), 1440, 5880,
                          1215, 495);
  connect(next, &QPushButton::clicked, this, [this] { this->hub().show(ScreenId::Band); });
  connect(exit, &QPushButton::clicked, this, [this] { ПодтверждениеВыхода(this->hub(), this); });
}

void frmХарЧМ1::load() { makeProgramDirectoryCurrent(); }
