#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>

#include "platform/picture_box.h"
#include "platform/text_label.h"
#include "support/screen_fixture.h"

namespace {

const QString kRequiredReading = QStringLiteral(
    "Перед выполнением работы необходимо изучить следующие материалы:\r\n"
    "1. Раздел 4.1, стр. 105-116 [1] \r\n"
    "2. Раздел 4.2, стр. 80-90 [2] \r\n"
    "3. Раздел 8.3, стр. 204-206, раздел 5.11, стр.148-152 [3] \r\n"
    "\r\n"
    "4. Лабораторная работа 7, стр. 36-48 [4]");

// Whether a picture box shows anything but its background.
bool showsPicture(const PictureBox* box) {
  QImage plain = box->image();
  plain.fill(plain.pixel(0, 0));
  return box->image() != plain;
}

class TitleScreen : public ScreenShots {
 protected:
  LabScreen* open() {
    LabScreen* screen = hub.show(ScreenId::Title);
    settleEvents();
    return screen;
  }
  template <class T>
  T* control(ScreenId id, const char* name) const {
    LabScreen* screen = hub.find(id);
    return screen ? screen->findChild<T*>(QString::fromUtf8(name)) : nullptr;
  }
  QPushButton* next() const { return control<QPushButton>(ScreenId::Title, "CmdДальше"); }
};

// "Дальше" opens only after the required reading was shown, from the button or from the menu.
class RequiredReadingOpensTheWay : public TitleScreen,
                                   public ::testing::WithParamInterface<const char*> {};

TEST_P(RequiredReadingOpensTheWay, NextIsEnabledWhenTheMessageIsClosed) {
  open();
  ASSERT_NE(next(), nullptr);
  EXPECT_FALSE(next()->isEnabled());
  bool enabledWhileOpen = true;
  desktop.onMessage = [&](const DesktopCall&) { enabledWhileOpen = next()->isEnabled(); };
  if (auto* action = control<QAction>(ScreenId::Title, GetParam())) {
    action->trigger();
  } else {
    control<QPushButton>(ScreenId::Title, GetParam())->click();
  }
  ASSERT_EQ(desktop.messages().size(), 1u);
  const DesktopCall box = desktop.messages().front();
  EXPECT_EQ(std::tuple(box.text, box.icon, box.buttons, box.title),
            std::tuple(kRequiredReading, MsgIcon::Information, MsgButtons::Ok,
                       QStringLiteral("Информация")));
  EXPECT_FALSE(enabledWhileOpen);
  EXPECT_TRUE(next()->isEnabled());
  next()->click();
  settleEvents();
  EXPECT_NE(hub.find(ScreenId::PersonalData), nullptr);
  EXPECT_EQ(hub.find(ScreenId::Title), nullptr);  // the personal data screen closed it
}

INSTANTIATE_TEST_SUITE_P(ButtonAndMenu, RequiredReadingOpensTheWay,
                         ::testing::Values("CmdИнф", "mnuИнф"),
                         [](const auto& info) { return info.index == 0 ? "Button" : "Menu"; });

// The same message from the literature screen does nothing else.
TEST_F(TitleScreen, TheLiteraturesInformationDoesNotOpenTheWay) {
  open();
  control<QAction>(ScreenId::Title, "mnuЛит")->trigger();
  control<QPushButton>(ScreenId::Literature, "CmdИнф")->click();
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.lastMessage(), kRequiredReading);
  EXPECT_EQ(desktop.messages().front().title, QStringLiteral("Информация"));
  EXPECT_FALSE(next()->isEnabled());
  EXPECT_NE(hub.find(ScreenId::Literature), nullptr);
}

// The load resets the preview flag, then loads the pictures in order: the first missing one
// stops the loading with one message, and the screen works on without the pictures not loaded.
struct PictureCase {
  const char* name;
  const char* removed;  // nullptr: all pictures there
  bool demoShown;
  bool logoShown;
};

class TitlePictures : public TitleScreen, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(TitlePictures, FirstMissingPictureStopsTheLoadingWithOneMessage) {
  const PictureCase& row = GetParam();
  if (row.removed) programDir.removePicture(QString::fromUtf8(row.removed));
  state.Предв = 1;
  LabScreen* title = open();
  ASSERT_NE(title, nullptr);
  EXPECT_TRUE(title->isVisible());
  EXPECT_EQ(state.Предв, 0);
  ASSERT_EQ(desktop.messages().size(), row.removed ? 1u : 0u);
  if (row.removed) {
    const DesktopCall box = desktop.messages().front();
    EXPECT_EQ(
        std::tuple(box.text, box.icon, box.buttons, box.title),
        std::tuple(
            QStringLiteral(
                " В каталоге с программой отсутствуют все или некоторые сопровождающие графические файлы!"),
            MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Ошибка загрузки")));
  }
  EXPECT_EQ(showsPicture(control<PictureBox>(ScreenId::Title, "Picture2")), row.demoShown);
  EXPECT_EQ(showsPicture(control<PictureBox>(ScreenId::Title, "Picture3")), row.logoShown);
  control<QPushButton>(ScreenId::Title, "CmdИнф")->click();  // the screen works on
  EXPECT_TRUE(next()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Pictures, TitlePictures,
                         ::testing::Values(PictureCase{"AllThere", nullptr, true, true},
                                           PictureCase{"DemoMissing", "Demo.wmf", false, false},
                                           PictureCase{"LogoMissing", "Logo1.wmf", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Texts typed with their line-end hyphens break only where a line ends.
TEST(SoftHyphens, OnlyAHyphenInsideAWordBecomesSoft) {
  const std::pair<const char*, const char*> rows[] = {
      {"версию лабо- раторной работы", "версию лабо\u00ADраторной работы"},
      {"функцио- нирующей и изме- нится", "функцио\u00ADнирующей и изме\u00ADнится"},
      {"радио- и телевидения", "радио- и телевидения"},
      {"звуко- или видеозапись", "звуко- или видеозапись"}};
  for (const auto& [given, shown] : rows) {
    EXPECT_EQ(withSoftHyphens(QString::fromUtf8(given)), QString::fromUtf8(shown)) << given;
  }
}

}  // namespace
