#include <QTest>

#include "support/screen_fixture.h"

TEST_F(ScreenShots, Frame) {
  capture(ScreenId::Title, "FrmНачЧМ");
  capture(ScreenId::Literature, "FrmЛитература");
  hub.show(ScreenId::PersonalData);
  LabScreen* mainWindow = capture(ScreenId::MainWindow, "MDIFrmАнМод");
  ASSERT_NE(mainWindow, nullptr);
  // The palette with an instrument chosen.
  auto* icon = mainWindow->findChild<QWidget*>(QStringLiteral("ImgПрибор(3)"));
  ASSERT_NE(icon, nullptr);
  QTest::mouseClick(icon, Qt::LeftButton);
  EXPECT_FALSE(saveScreenPng(mainWindow, QStringLiteral("MDIFrmАнМод-chosen")).isEmpty());
}
