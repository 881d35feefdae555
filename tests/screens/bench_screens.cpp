#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include "support/screen_fixture.h"

namespace {

template <class T>
T* child(QWidget* screen, const char* name) {
  return screen->findChild<T*>(QString::fromUtf8(name));
}

}  // namespace

TEST_F(ScreenShots, Bench) {
  LabScreen* bench = capture(ScreenId::Bench, "FrmИсслЧМ1");
  ASSERT_NE(bench, nullptr);
  for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"}) {
    QTest::mouseClick(child<QLabel>(bench, power), Qt::LeftButton);
  }
  auto* amplitude = child<QScrollBar>(bench, "HScrUвх");
  // The carrier's first zero, the first pair's first zero, and a wide spectrum.
  for (const auto& [value, name] :
       {std::pair{240, "FrmИсслЧМ1_mf2.40"}, std::pair{383, "FrmИсслЧМ1_mf3.83"},
        std::pair{700, "FrmИсслЧМ1_mf7.0"}}) {
    amplitude->setValue(value);
    EXPECT_FALSE(saveScreenPng(bench, QString::fromUtf8(name)).isEmpty());
  }
}

TEST_F(ScreenShots, BesselViewer) {
  LabScreen* viewer = capture(ScreenId::Bessel, "FrmБессель");
  ASSERT_NE(viewer, nullptr);
  child<QScrollBar>(viewer, "HScrlПорядок")->setValue(5);
  EXPECT_FALSE(saveScreenPng(viewer, QStringLiteral("FrmБессель_order5")).isEmpty());
}
