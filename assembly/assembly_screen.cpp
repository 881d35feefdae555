#include "assembly/assembly_screen.h"

#include <QPushButton>

#include "app/screen_hub.h"
#include "platform/controls.h"
#include "platform/program_dir.h"

FrmМонтаж::FrmМонтаж(ScreenHub& hub)
    : LabScreen(hub, ScreenId::Assembly, QStringLiteral("FrmМонтаж"),
                QStringLiteral("Монтаж схемы")) {
  setClientSizeTwips(12000, 7785, false);
  auto* done = makeButton(client(), QStringLiteral("CmdДальше"), QStringLiteral("Монтаж окончен"),
                          120, 6960, 870, 480);
  connect(done, &QPushButton::clicked, this, [this] {
    this->hub().unload(ScreenId::Assembly);
    this->hub().show(ScreenId::Bench);
  });
}

void FrmМонтаж::load() { makeProgramDirectoryCurrent(); }
