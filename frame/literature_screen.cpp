#include "frame/literature_screen.h"

#include <QPushButton>

#include "app/screen_hub.h"
#include "platform/controls.h"

FrmЛитература::FrmЛитература(ScreenHub& hub)
    : LabScreen(hub, ScreenId::Literature, QStringLiteral("FrmЛитература"),
                QStringLiteral("Литература")) {
  setClientSizeTwips(7200, 5400);
  auto* ok = makeButton(client(), QStringLiteral("CmdОК"), QStringLiteral("ОК"), 5400, 4680, 1455,
                        495);
  connect(ok, &QPushButton::clicked, this,
          [this] { this->hub().unload(ScreenId::Literature); });
}

void FrmЛитература::load() {}
