#include <QPushButton>
#include <QTest>

#include "measure/reading_cell.h"
#include "support/screen_fixture.h"

namespace {

void typeReading(LabScreen* screen, int row, const char* keys) {
  auto* cell = screen->findChild<ReadingCell*>(QStringLiteral("Text1(%1)").arg(row));
  ASSERT_NE(cell, nullptr);
  QTest::keyClicks(cell, QString::fromLatin1(keys));
  QTest::keyClick(cell, Qt::Key_Return);
}

}  // namespace

TEST_F(ScreenShots, Characteristic) { capture(ScreenId::Characteristic, "frmХарЧМ1"); }

TEST_F(ScreenShots, CharacteristicFiveRowsWithIdealizedLine) {
  LabScreen* screen = hub.show(ScreenId::Characteristic);
  ASSERT_NE(screen, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
  for (auto [row, keys] : {std::pair{1, "23"}, {2, "37,5"}, {3, "56"}, {4, "74"}, {5, "95.5"}}) {
    typeReading(screen, row, keys);
  }
  screen->findChild<QPushButton*>(QStringLiteral("CmdИХ"))->click();
  capture(ScreenId::Characteristic, "frmХарЧМ1_five_rows");
}
