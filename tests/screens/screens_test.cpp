// Every screen in a typical state, written to build/screens/<name>.png to be looked at.

#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include "measure/report_screen.h"
#include "platform/twips.h"
#include "support/assembly.h"
#include "support/lab.h"
#include "support/records.h"

namespace {

using enum ScreenId;

using Screens = ScreenTest;

TEST_F(Screens, EveryScreenInATypicalState) {
  struct Shot {
    const char* name;
    ScreenId screen;
    std::function<void(Screens&)> prepare;
  };
  const auto typeBand = [](Screens& t) {
    for (const auto& [box, text] : {std::pair{"txtГрЧаст(1)", "300"},
                                    {"txtГрЧаст(2)", "2596"},
                                    {"Txtрк", "32"},
                                    {"Txtdfk", "200"}}) {
      t.enter(Band, box, text);
    }
    t.click(Band, "Command2");
    t.click(Band, "CmdДальше");  // No: the channel box opens
    typeInto(t.child(Band, "TxtN"), "720", false);
  };
  const auto assemble = [](Screens& t, bool whole) {
    AssemblyDriver table(dynamic_cast<FrmМонтаж*>(t.hub->find(Assembly)), t.state);
    table.showWhole();
    for (int i = 1; i <= (whole ? 5 : 2); ++i) table.place(i, AssemblyDriver::kSpots[i - 1]);
    if (whole) table.wireEverything();
    if (!whole) table.plugInto(1, 1, 1);
  };
  const Shot shots[] = {
      {"FrmНачЧМ", Title, nullptr},
      {"FrmЛитература", Literature, nullptr},
      {"FrmФИО", PersonalData, [](Screens& t) { t.enter(PersonalData, "TxtФИО(0)", "Иванов"); }},
      {"MDIFrmАнМод", MainWindow, nullptr},
      {"FrmМонтаж_half", Assembly, [&](Screens& t) { assemble(t, false); }},
      {"FrmМонтаж_complete", Assembly, [&](Screens& t) { assemble(t, true); }},
      {"FrmИсслЧМ1", Bench,
       [](Screens& t) {
         for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"}) t.click(Bench, power);
         t.child<QScrollBar>(Bench, "HScrUвх")->setValue(383);
       }},
      {"FrmБессель", Bessel,
       [](Screens& t) { t.child<QScrollBar>(Bessel, "HScrlПорядок")->setValue(5); }},
      {"frmХарЧМ1", Characteristic,
       [](Screens& t) {
         const char* readings[] = {"23", "37,5", "56", "74", "95.5"};
         for (int row = 1; row <= 5; ++row) {
           t.enter(Characteristic, QStringLiteral("Text1(%1)").arg(row), readings[row - 1]);
         }
         t.click(Characteristic, "CmdИХ");
       }},
      {"РасчЧМ-расчет", Band, typeBand},
      {"FrmОтчет", Report, [](Screens& t) { fillTable(t.state.Рез); }},
  };
  for (const Shot& shot : shots) {
    SCOPED_TRACE(shot.name);
    restart();
    if (shot.screen == Report) shot.prepare(*this);
    ASSERT_NE(reach(shot.screen), nullptr);
    if (shot.prepare && shot.screen != Report) shot.prepare(*this);
    EXPECT_TRUE(saveScreenPng(hub->find(shot.screen), QString::fromUtf8(shot.name)));
  }
  // The whole report as it prints: an A4 page that reports a printer's 1200 dpi.
  auto* report = dynamic_cast<FrmОтчет*>(hub->find(Report));
  ASSERT_NE(report, nullptr);
  QImage page(1240, 1754, QImage::Format_ARGB32_Premultiplied);
  page.setDotsPerMeterX(47244);
  page.setDotsPerMeterY(47244);
  page.fill(Qt::white);
  QPainter painter(&page);
  report->drawPage(painter, QRectF(60, 60, 1120, 1634));
  painter.end();
  EXPECT_TRUE(page.save(QStringLiteral(FMLAB_SCREENS_DIR "/FrmОтчет_page.png")));
}

}  // namespace
