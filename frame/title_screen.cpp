#include "frame/title_screen.h"

#include <QPushButton>

#include "app/exit_confirmation.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "platform/controls.h"

FrmНачЧМ::FrmНачЧМ(ScreenHub& hub)
    : LabScreen(hub, ScreenId::Title, QStringLiteral("FrmНачЧМ"),
                QStringLiteral("Аналоговые системы связи")) {
  connect(addMenuBarItem(QStringLiteral("mnuВых"), QStringLiteral("Выход")), &QAction::triggered,
          this, [this] { ПодтверждениеВыхода(this->hub(), this); });
  connect(addMenuBarItem(QStringLiteral("mnuЛит"), QStringLiteral("Литература")),
          &QAction::triggered, this, [this] { this->hub().show(ScreenId::Literature); });
  setClientSizeTwips(6885, 6360);
  auto* next = makeButton(client(), QStringLiteral("CmdДальше"), QStringLiteral("Дальше"), 2760,
                          5700, 1455, 495);
  auto* exit = makeButton(client(), QStringLiteral("CmdEnd"), QStringLiteral("Выход"), 5160, 5700,
                          1455, 495);
  connect(next, &QPushButton::clicked, this, [this] { this->hub().show(ScreenId::PersonalData); });
  connect(exit, &QPushButton::clicked, this, [this] { ПодтверждениеВыхода(this->hub(), this); });
}

void FrmНачЧМ::load() {
  centreOnDesktop();
  state().Предв = 0;
  state().ВыбратьВариант();
}
