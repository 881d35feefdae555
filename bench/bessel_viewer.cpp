#include "bench/bessel_viewer.h"

#include <QPushButton>

#include "app/screen_hub.h"
#include "platform/controls.h"

FrmБессель::FrmБессель(ScreenHub& hub)
    : LabScreen(hub, ScreenId::Bessel, QStringLiteral("FrmБессель"),
                QStringLiteral("Расчет функций Бесселя")) {
  setClientSizeTwips(6735, 6300);
  auto* ok = makeButton(client(), QStringLiteral("CmdОК"), QStringLiteral("ОК"), 5040, 5640, 1455,
                        495);
  connect(ok, &QPushButton::clicked, this, [this] { this->hub().unload(ScreenId::Bessel); });
}

void FrmБессель::load() {}
