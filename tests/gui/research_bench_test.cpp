#include <QAction>
#include <QGuiApplication>
#include <QPushButton>
#include <tuple>

#include "bench_fixture.h"

namespace {

const QString kSeparator = QLocale::system().decimalPoint();
const QColor kLampOff(0x80, 0xFF, 0x80);

QColor lamp(const QLabel* label) { return label->palette().color(QPalette::Window); }

// The bench open on its own.
class Bench : public BenchTest {
 protected:
  void SetUp() override { ASSERT_NE(openBench(), nullptr); }
  QImage image(const char* name) const { return screen(bench, name)->image(); }
  bool black(const char* name) const {
    const QImage shown = image(name);
    return count(shown, kBlack) == shown.width() * shown.height();
  }
  QAction* item(const QString& name) const { return bench->findChild<QAction*>(name); }
  QAction* stage(int i) const { return item(QStringLiteral("mnuЭтап(%1)").arg(i)); }
  QPushButton* next() const { return child<QPushButton>(bench, "CmdNext"); }
};

TEST_F(BenchTest, LoadClosesTheMainWindowAndSetsTheGeneratorTo550) {
  hub->show(ScreenId::MainWindow);
  hub->unload(ScreenId::Assembly);
  ASSERT_NE(openBench(), nullptr);
  EXPECT_EQ(hub->find(ScreenId::MainWindow), nullptr);
  EXPECT_EQ(caption("LblFm"), QStringLiteral(" 550"));
  EXPECT_EQ(caption("LblUвх"), kSeparator);  // a zero reading: only the separator
  EXPECT_EQ(state.ИндексМод, 0);
  EXPECT_FALSE(child<QPushButton>(bench, "CmdNext")->isEnabled());
  auto* variant = child<QLabel>(bench, "Label6");
  EXPECT_EQ(variant->text(), QStringLiteral("00"));
  EXPECT_FALSE(variant->isVisible());
}

TEST_F(Bench, ScrollbarsActOnAClickAndOnTheThumbsReleaseNotWhileItIsDragged) {
  amplitude()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(state.ИндексМод, double(0.1f));
  EXPECT_EQ(caption("LblUвх"), QStringLiteral("1") + kSeparator);  // 0.1 x 14 / 1.41 = 0.993
  amplitude()->setSliderDown(true);
  amplitude()->setValue(1500);
  EXPECT_EQ(state.ИндексМод, double(0.1f));
  amplitude()->setSliderDown(false);
  EXPECT_EQ(state.ИндексМод, 15);
  frequency()->setSliderDown(true);
  frequency()->setValue(900);
  EXPECT_EQ(state.Fmod, 550);
  frequency()->setSliderDown(false);
  EXPECT_EQ(caption("LblFm"), QStringLiteral(" 900"));
}

// Rows: power switch, screen, scale label shown while on (or none), trace drawn at switch-on.
using Instrument = std::tuple<const char*, const char*, const char*, bool>;
class PowerSwitch : public Bench, public ::testing::WithParamInterface<Instrument> {};

// Black while off; at switch-on the graticule (red and yellow lines), and on the HF
// oscilloscope the trace; a change draws the trace over the graticule; black again at
// switch-off, nothing drawn while off, and the next switch-on starts afresh.
TEST_P(PowerSwitch, DrawsTheGraticuleAtSwitchOnAndLeavesBlackAtSwitchOff) {
  const auto [powerName, screenName, scaleLabel, traceAtSwitchOn] = GetParam();
  auto* power = child<QLabel>(bench, powerName);
  amplitude()->setValue(500);
  EXPECT_TRUE(black(screenName));
  clickPower(powerName);
  EXPECT_EQ(lamp(power), kRed);
  const QImage on = image(screenName);
  EXPECT_GT(count(on, kYellow), 500);
  EXPECT_GT(count(on, kRed), 100);
  EXPECT_EQ(count(on, kGreen) > 0, traceAtSwitchOn);
  EXPECT_TRUE(!scaleLabel || child<QLabel>(bench, scaleLabel)->isVisible());
  frequency()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_GT(count(image(screenName), kGreen), 50);
  EXPECT_GT(count(image(screenName), kYellow), 400);
  clickPower(powerName);
  EXPECT_TRUE(black(screenName));
  EXPECT_EQ(lamp(power), kLampOff);
  EXPECT_TRUE(!scaleLabel || child<QLabel>(bench, scaleLabel)->isHidden());
  frequency()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_TRUE(black(screenName));
  clickPower(powerName);
  EXPECT_EQ(image(screenName), on);
}

INSTANTIATE_TEST_SUITE_P(Instruments, PowerSwitch,
                         ::testing::Values(Instrument{"LblВклНЧ", "PicОсцНЧ", "LblYНЧ", false},
                                           Instrument{"LblвклВЧ", "PicОсцВЧ", nullptr, true},
                                           Instrument{"LblвклСА", "PicСпектр", "LblХСА", false}));

TEST_F(Bench, AtIndexZeroTheAnalyzerShowsTheCarrierAtFullHeightOnly) {
  clickPower("LblвклСА");
  amplitude()->setValue(10);
  amplitude()->setValue(0);
  PictureBox* analyzer = screen(bench, "PicСпектр");
  const QImage shown = analyzer->image();
  auto greenAt = [&](double x, double y) {
    const QPointF p = analyzer->toPixels(x, y) * shown.devicePixelRatio();
    return shown.pixelColor(int(p.x()), int(p.y())) == kGreen;
  };
  EXPECT_TRUE(greenAt(0, 0.97));
  EXPECT_FALSE(greenAt(0, 1.1));
  EXPECT_FALSE(greenAt(2.2, 0.1));  // the first pair at 550 kHz has zero height
}

// The drawing surface keeps what was drawn: an expose shows it again, and a repaint the
// window system asks for shows the whole spectrum last computed, whatever Порядок holds.
TEST_F(Bench, TracesAndSpectrumSurviveExposesAndRepaints) {
  for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"}) clickPower(power);
  amplitude()->setValue(240);
  const QImage lf = image("PicОсцНЧ"), spectrum = image("PicСпектр");
  bench->hide();
  bench->show();
  settleEvents();
  EXPECT_EQ(image("PicОсцНЧ"), lf);
  EXPECT_EQ(image("PicСпектр"), spectrum);
  state.Порядок = 7;
  PictureBox* analyzer = screen(bench, "PicСпектр");
  const QSize size = analyzer->size();
  analyzer->resize(size + QSize(1, 1));  // the window system asks for a repaint
  analyzer->resize(size);
  EXPECT_EQ(analyzer->image(), spectrum);
}

class Stages : public Bench, public ::testing::WithParamInterface<std::vector<int>> {};

TEST_P(Stages, NextIsEnabledByTheClickThatCompletesTheThreeChecks) {
  std::set<int> seen;
  for (int i : GetParam()) {
    QAction* item = stage(i);
    ASSERT_NE(item, nullptr);
    bool checkedDuringMessage = true;
    desktop.onMessage = [&](const DesktopCall&) { checkedDuringMessage = item->isChecked(); };
    const bool wasChecked = seen.count(i) > 0;
    item->trigger();
    EXPECT_EQ(checkedDuringMessage, wasChecked);  // the mark comes after the message
    const DesktopCall box = desktop.messages().back();
    EXPECT_EQ(box.title, QStringLiteral("Этап %1").arg(i));
    EXPECT_EQ(box.icon, MsgIcon::Information);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    // The first line, a blank line, the numbered items, all ended by CR LF.
    EXPECT_TRUE(box.text.startsWith(QStringLiteral(" Этап %1. ").arg(i)));
    EXPECT_TRUE(box.text.contains(QStringLiteral("\r\n\r\n1. ")));
    EXPECT_EQ(box.text.count(QLatin1Char('\n')), box.text.count(QStringLiteral("\r\n")));
    seen.insert(i);
    EXPECT_EQ(next()->isEnabled(), seen.size() == 3);
  }
  EXPECT_EQ(desktop.messages().size(), GetParam().size());
  if (next()->isEnabled()) {
    next()->click();
    EXPECT_NE(hub->find(ScreenId::Characteristic), nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, Stages,
                         ::testing::Values(std::vector{1, 2, 3}, std::vector{3, 1, 2},
                                           std::vector{2, 2, 1, 1, 3}, std::vector{1, 2}));

TEST_F(Bench, TheThirdStageAsksAboutTheBesselFunctionsAndFor500Kilohertz) {
  stage(3)->trigger();
  EXPECT_TRUE(desktop.lastMessage().contains(
      QStringLiteral("'Функции Бесселя'. Определите какие составляющие "
                     "будут присутствовать в спектре при индексах "
                     "модуляции (mf) равных 0; 2.4; 3.8. \r\n2. ")));
  EXPECT_TRUE(desktop.lastMessage().contains(
      QStringLiteral("\r\n4. Установите частоту модулирующего сигнала равной 500 кГц.\r\n5. ")));
}

// The viewer's load takes a moment: the bench shows the hourglass until the load is over.
TEST_F(Bench, TheViewerOpensUnderTheHourglassThatItsLoadTakesAway) {
  struct Watch : QObject {
    std::optional<Qt::CursorShape> seen;  // the pointer when the viewer gets its caption
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (!seen && event->type() == QEvent::WindowTitleChange &&
          watched->objectName() == QStringLiteral("FrmБессель")) {
        const QCursor* pointer = QGuiApplication::overrideCursor();
        seen = pointer ? pointer->shape() : Qt::ArrowCursor;
      }
      return false;
    }
  } watch;
  qApp->installEventFilter(&watch);
  item(QStringLiteral("mnuБесс"))->trigger();
  qApp->removeEventFilter(&watch);
  EXPECT_EQ(watch.seen, Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  ASSERT_NE(hub->find(ScreenId::Bessel), nullptr);
  item(QStringLiteral("mnuБесс"))->trigger();  // already open
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
