// Every screen in a typical state, written to build/screens/<name>.png to be looked at: the
// screens of the road as the student leaves them, then the side screens.

#include <QPainter>
#include <QScrollBar>

#include "measure/report_screen.h"
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
  // The report as it prints: an A4 page that reports a printer's 1200 dpi.
  QImage page(1240, 1754, QImage::Format_ARGB32_Premultiplied);
  page.setDotsPerMeterX(47244);
  page.setDotsPerMeterY(47244);
  page.fill(Qt::white);
  QPainter painter(&page);
  dynamic_cast<FrmОтчет*>(hub->find(Report))->drawPage(painter, QRectF(60, 60, 1120, 1634));
  painter.end();
  EXPECT_TRUE(page.save(QStringLiteral(FMLAB_SCREENS_DIR "/FrmОтчет_page.png")));
}

}  // namespace
