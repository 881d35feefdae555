// Every screen in a typical state, written to build/screens/<name>.png to be looked at: the
// screens of the road as the student leaves them, then the side screens.

#include <QScrollBar>

#include "support/lab.h"
#include "support/records.h"

namespace {

using enum ScreenId;

TEST_F(ScreenTest, EveryScreenInATypicalState) {
  const std::map<ScreenId, const char*> names{
      {Title, "FrmНачЧМ"},           {PersonalData, "FrmФИО"},      {Assembly, "FrmМонтаж"},
      {Bench, "FrmИсслЧМ1"},         {Characteristic, "frmХарЧМ1"}, {Band, "РасчЧМ"},
      {Literature, "FrmЛитература"}, {Bessel, "FrmБессель"},        {Report, "FrmОтчет"}};
  walkRoad([&](ScreenId screen) {
    EXPECT_TRUE(saveScreenPng(hub->find(screen), names.at(screen))) << names.at(screen);
  });
  restart();
  fillTable(state.Рез);
  for (const ScreenId screen : {Literature, Bessel, Report}) {
    ASSERT_NE(reach(screen), nullptr);
    if (screen == Bessel) child<QScrollBar>(Bessel, "HScrlПорядок")->setValue(5);
    EXPECT_TRUE(saveScreenPng(hub->find(screen), names.at(screen))) << names.at(screen);
  }
}

}  // namespace
