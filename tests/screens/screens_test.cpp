// Every screen in a typical state, written to build/screens/<name>.png to be looked at: the road's
// screens as the student leaves them, the side screens, the mounting table on a dark desktop.

#include <QApplication>
#include <QScrollBar>

#include "platform/text_label.h"
#include "support/lab.h"
#include "support/records.h"

namespace {
using enum ScreenId;

TEST_F(ScreenTest, EveryScreenInATypicalState) {
  // Long captions typed with a hyphen at a line end break there only at the end of a line.
  const std::map<ScreenId, std::pair<const char*, QString>> softened{
      {Title, {"Label3", QStringLiteral("лабо\u00ADраторной")}},
      {PersonalData, {"Label10", QStringLiteral("изме\u00ADнится")}}};
  walkRoad([&](ScreenId screen) {
    EXPECT_TRUE(saveScreenPng(hub->find(screen))) << int(screen);
    if (const auto soft = softened.find(screen); soft != softened.end()) {
      auto* label = dynamic_cast<WrappedLabel*>(child(screen, soft->second.first));
      EXPECT_TRUE(label && label->shownText().contains(soft->second.second) &&
                  !label->text().contains(QChar::SoftHyphen))
          << soft->second.first;
    }
  });
  restart();
  fillTable(state.Рез);
  for (const ScreenId screen : {Literature, Bessel, Report}) {
    ASSERT_NE(reach(screen), nullptr);
    if (screen == Bessel) child<QScrollBar>(Bessel, "HScrlПорядок")->setValue(5);
    EXPECT_TRUE(saveScreenPng(hub->find(screen))) << int(screen);
  }
}

// A dark desktop leaves the mounting table, its two captions and the plugs white: a quarter of
// their pixels at least is white, none has the desktop's colours.
TEST_F(ScreenTest, TheMountingTableStaysWhiteOnADarkDesktop) {
  const QPalette original = QApplication::palette();
  QPalette dark = original;
  const QColor base(10, 20, 30), window(11, 21, 31);
  dark.setColor(QPalette::Base, base), dark.setColor(QPalette::Window, window);
  dark.setColor(QPalette::Text, Qt::white), dark.setColor(QPalette::WindowText, Qt::white);
  QApplication::setPalette(dark);
  restart();
  reach(Assembly);
  EXPECT_TRUE(saveScreenPng(hub->find(Assembly), "FrmМонтаж-тёмный"));
  for (const char* name : {"PicСтол", "Label16", "Label17", "PicРазъем1(1)", "PicРазъем2(4)"}) {
    const QImage image = child(Assembly, name)->grab().toImage();
    EXPECT_EQ(inkCount(image, {base, window}), 0) << name;
    EXPECT_GT(inkCount(image, {Qt::white}), image.width() * image.height() / 4) << name;
  }
  QApplication::setPalette(original);
}
}  // namespace
