#include "records/personal_data_screen.h"

#include <QPushButton>

#include "app/screen_hub.h"
#include "app/work_state.h"
#include "platform/controls.h"
#include "platform/program_dir.h"

FrmФИО::FrmФИО(ScreenHub& hub)
    : LabScreen(hub, ScreenId::PersonalData, QStringLiteral("FrmФИО"),
                QStringLiteral("Ввод личных данных")) {
  setClientSizeTwips(6600, 4800);
  auto* next = makeButton(client(), QStringLiteral("CmdОК"), QStringLiteral("Дальше..."), 4800,
                          4080, 1455, 495);
  connect(next, &QPushButton::clicked, this, [this] { this->hub().show(ScreenId::MainWindow); });
}

void FrmФИО::load() {
  centreOnDesktop();
  state().ВыбратьВариант();
  makeProgramDirectoryCurrent();
  hub().unload(ScreenId::Title);
  Результат& record = state().Рез;
  for (auto* field : {&record.Фамилия, &record.Имя, &record.Отчество, &record.НомерСБ, &record.EMail}) {
    *field = QString();
  }
  record.Группа = QString();
}
