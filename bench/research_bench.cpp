#include "bench/research_bench.h"

#include <QMenu>
#include <QPushButton>

#include "app/exit_confirmation.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "platform/controls.h"

FrmИсслЧМ1::FrmИсслЧМ1(ScreenHub& hub)
    : LabScreen(hub, ScreenId::Bench, QStringLiteral("FrmИсслЧМ1"),
                QStringLiteral("Измерение модуляционной характеристики")) {
  connect(addMenuBarItem(QStringLiteral("mnuВыход"), QStringLiteral("Выход")), &QAction::triggered,
          this, [this] { ПодтверждениеВыхода(this->hub(), this); });
  connect(addMenuBarItem(QStringLiteral("mnuБесс"), QStringLiteral("Функции Бесселя")),
          &QAction::triggered, this, [this] { this->hub().show(ScreenId::Bessel); });
  connect(addMenuBarItem(QStringLiteral("mnuЛит"), QStringLiteral("Литература")),
          &QAction::triggered, this, [this] { this->hub().show(ScreenId::Literature); });
  setClientSizeTwips(9480, 6510);
  auto* next = makeButton(client(), QStringLiteral("CmdNext"), QStringLiteral("Дальше..."), 120,
                          5880, 1215, 495);
  auto* exit = makeButton(client(), QStringLiteral("CmdEnd"), QStringLiteral("Выход"), 1440, 5880,
                          1215, 495);
  connect(next, &QPushButton::clicked, this,
          [this] { this->hub().show(ScreenId::Characteristic); });
  connect(exit, &QPushButton::clicked, this, [this] { ПодтверждениеВыхода(this->hub(), this); });
}

void FrmИсслЧМ1::load() {
  hub().unload(ScreenId::MainWindow);
  state().Fmod = 550;
  state().ИндексМод = 0;
  state().ВыбратьВариант();
}
