#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/screen_fixture.h"

TEST_F(ScreenShots, Band) { capture(ScreenId::Band, "РасчЧМ"); }

// The inputs confirmed, the results shown, and the box for the student's channel count open.
TEST_F(ScreenShots, BandCalculated) {
  LabScreen* screen = hub.show(ScreenId::Band);
  ASSERT_NE(screen, nullptr);
  const std::pair<const char*, const char*> inputs[] = {
      {"txtГрЧаст(1)", "300"}, {"txtГрЧаст(2)", "2596"}, {"Txtрк", "32"}, {"Txtdfk", "200"}};
  for (const auto& [name, text] : inputs) {
    auto* box = screen->findChild<QLineEdit*>(QString::fromUtf8(name));
    ASSERT_NE(box, nullptr) << name;
    QTest::keyClicks(box, QString::fromUtf8(text));
    QTest::keyClick(box, Qt::Key_Return);
  }
  screen->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
  desktop.answers = {MsgAnswer::No};
  screen->findChild<QPushButton*>(QStringLiteral("CmdДальше"))->click();
  ASSERT_TRUE(screen->findChild<QGroupBox*>(QStringLiteral("FraN"))->isVisible());
  QTest::keyClicks(screen->findChild<QLineEdit*>(QStringLiteral("TxtN")), QStringLiteral("720"));
  capture(ScreenId::Band, "РасчЧМ-расчет");
}
