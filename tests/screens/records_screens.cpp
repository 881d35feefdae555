#include <QLineEdit>
#include <QTest>

#include "support/screen_fixture.h"

// The personal data screen half filled: three names confirmed (green), the group typed and not
// yet confirmed.
TEST_F(ScreenShots, PersonalData) {
  hub.show(ScreenId::Title);
  LabScreen* screen = hub.show(ScreenId::PersonalData);
  ASSERT_NE(screen, nullptr);
  const char* names[] = {"TxtФИО(0)", "TxtФИО(1)", "TxtФИО(2)", "Txt№(0)"};
  const char* texts[] = {"Иванов", "Пётр", "Сергеевич", "РТ-21"};
  for (int i = 0; i < 4; ++i) {
    auto* box = screen->findChild<QLineEdit*>(QString::fromUtf8(names[i]));
    ASSERT_NE(box, nullptr) << names[i];
    box->setText(QString::fromUtf8(texts[i]));
    if (i < 3) QTest::keyClick(box, Qt::Key_Return);
  }
  capture(ScreenId::PersonalData, "FrmФИО");
}
