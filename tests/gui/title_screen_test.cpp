#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include "app/lab_screen.h"
#include "app/screen_hub.h"
#include "app/work_state.h"
#include "frame/wrapped_label.h"
#include "platform/picture_box.h"
#include "support/screen_capture.h"
#include "support/scripted_desktop.h"
#include "support/temp_program_dir.h"

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
  const QImage image = box->image();
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != first) return true;
    }
  }
  return false;
}

class TitleScreen : public ::testing::Test {
 protected:
  TitleScreen() {
    state.rnd = [] { return 0.5; };
  }
  ~TitleScreen() override { settleEvents(); }

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

  TempProgramDir programDir;
  ModЧМ state;
  ScriptedDesktop desktop;
  ScreenHub hub{state, desktop};
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

  const QString source = QString::fromUtf8(GetParam());
  if (source.startsWith(QStringLiteral("mnu"))) {
    control<QAction>(ScreenId::Title, GetParam())->trigger();
  } else {
    control<QPushButton>(ScreenId::Title, GetParam())->click();
  }

  ASSERT_EQ(desktop.messages().size(), 1u);
  const DesktopCall box = desktop.messages().front();
  EXPECT_EQ(box.text, kRequiredReading);
  EXPECT_EQ(box.icon, MsgIcon::Information);
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_EQ(box.title, QStringLiteral("Информация"));
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

TEST_F(TitleScreen, TheLiteraturesInformationDoesNotOpenTheWay) {
  open();
  control<QAction>(ScreenId::Title, "mnuЛит")->trigger();
  control<QPushButton>(ScreenId::Literature, "CmdИнф")->click();
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.lastMessage(), kRequiredReading);
  EXPECT_EQ(desktop.messages().front().title, QStringLiteral("Информация"));
  EXPECT_FALSE(next()->isEnabled());
  EXPECT_NE(hub.find(ScreenId::Literature), nullptr);  // "Информация" does nothing else
}

TEST_F(TitleScreen, TheLiteratureScreenOpensOnceHoweverOftenAskedFor) {
  open();
  for (int i = 0; i < 3; ++i) control<QAction>(ScreenId::Title, "mnuЛит")->trigger();
  settleEvents();
  int shown = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    shown += window->objectName() == QStringLiteral("FrmЛитература") && window->isVisible();
  }
  EXPECT_EQ(shown, 1);
  control<QPushButton>(ScreenId::Literature, "CmdОК")->click();
  settleEvents();
  EXPECT_EQ(hub.find(ScreenId::Literature), nullptr);
  control<QAction>(ScreenId::Title, "mnuЛит")->trigger();  // and opens again after "ОК"
  EXPECT_NE(hub.find(ScreenId::Literature), nullptr);
}

TEST_F(TitleScreen, LoadResetsThePreviewFlagAndDrawsAVariant) {
  state.Предв = 1;
  int draws = 0;
  state.rnd = [&draws] {
    ++draws;
    return 0.25;
  };
  open();
  EXPECT_EQ(state.Предв, 0);
  EXPECT_GT(draws, 0);
  EXPECT_FALSE(state.Рез.Вариант.isBlank());
}

// The pictures are loaded in order and the first missing one stops the loading: one message,
// and the screen works on without the pictures not loaded.
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
  LabScreen* title = open();
  ASSERT_NE(title, nullptr);
  EXPECT_TRUE(title->isVisible());

  if (row.removed) {
    ASSERT_EQ(desktop.messages().size(), 1u);
    const DesktopCall box = desktop.messages().front();
    EXPECT_EQ(
        box.text,
        QStringLiteral(
            " В каталоге с программой отсутствуют все или некоторые сопровождающие графические файлы!"));
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    EXPECT_EQ(box.title, QStringLiteral("Ошибка загрузки"));
  } else {
    EXPECT_TRUE(desktop.messages().empty());
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
struct HyphenCase {
  const char* given;
  const char* shown;
};

class SoftHyphens : public ::testing::TestWithParam<HyphenCase> {};

TEST_P(SoftHyphens, OnlyAHyphenInsideAWordBecomesSoft) {
  EXPECT_EQ(withSoftHyphens(QString::fromUtf8(GetParam().given)),
            QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SoftHyphens,
    ::testing::Values(
        HyphenCase{"версию лабо- раторной работы", "версию лабо\u00ADраторной работы"},
        HyphenCase{"функцио- нирующей и изме- нится", "функцио\u00ADнирующей и изме\u00ADнится"},
        HyphenCase{"радио- и телевидения", "радио- и телевидения"},
        HyphenCase{"звуко- или видеозапись", "звуко- или видеозапись"}));

}  // namespace
