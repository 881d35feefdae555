#include "measure/band_screen.h"

#include <QPushButton>

#include "app/screen_hub.h"
#include "app/work_state.h"
#include "platform/controls.h"

РасчЧМ::РасчЧМ(ScreenHub& hub)
    : LabScreen(hub, ScreenId::Band, QStringLiteral("РасчЧМ"),
                QStringLiteral("Расчет полосы частот, занимаемой ЧМ сигналом")) {
  connect(addMenuBarItem(QStringLiteral("mnuЛит"), QStringLiteral("Литература")),
          &QAction::triggered, this, [this] { this->hub().show(ScreenId::Literature); });
  setClientSizeTwips(9000, 6600);
  auto* next = makeButton(client(), QStringLiteral("CmdДальше"), QStringLiteral("Дальше..."), 120,
                          5880, 1215, 495);
  auto* end = makeButton(client(), QStringLiteral("CmdEnd"), QStringLiteral("Конец"), 1440, 5880,
                         1215, 495);
  end->setEnabled(false);
  connect(next, &QPushButton::clicked, this, [this] { this->hub().endProgram(); });
}

void РасчЧМ::load() { state().ВыбратьВариант(); }
