
#include <QAction>
#include <QGuiApplication>
#include <QPushButton>

#include "bench_fixture.h"

namespace {

const QString kSeparator = QLocale::system().decimalPoint();

QColor background(const QLabel* label) { return label->palette().color(QPalette::Window); }

TEST_F(BenchTest, LoadClosesTheMainWindowAndSetsTheGeneratorTo550) {
  hub->show(ScreenId::MainWindow);
  hub->unload(ScreenId::Assembly);
  ASSERT_NE(openBench(), nullptr);
  EXPECT_EQ(hub->find(ScreenId::MainWindow), nullptr);
  EXPECT_EQ(caption("LblFm"), QStringLiteral(" 550"));
  EXPECT_EQ(frequency()->value(), 550);
  EXPECT_EQ(amplitude()->value(), 0);
  EXPECT_EQ(caption("LblUвх"), kSeparator);  // a zero reading: only the separator
  EXPECT_EQ(state.Fmod, 550);
  EXPECT_EQ(state.ИндексМод, 0);
  EXPECT_EQ(state.Порядок, 0);
  for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"}) {
    auto* label = child<QLabel>(bench, power);
    EXPECT_EQ(background(label), QColor(0x80, 0xFF, 0x80)) << power;
    EXPECT_EQ(label->frameShape(), QFrame::NoFrame) << power;
    EXPECT_EQ(label->text(), QStringLiteral("   "));
  }
  EXPECT_FALSE(child<QPushButton>(bench, "CmdNext")->isEnabled());
  auto* variant = child<QLabel>(bench, "Label6");
  EXPECT_EQ(variant->text(), QStringLiteral("00"));
  EXPECT_FALSE(variant->isVisible());
}

TEST_F(BenchTest, OneArrowClickGivesIndexPointOneAndTheReadingOneFrequencyLeavesIt) {
  openBench();
  amplitude()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(state.ИндексМод, double(0.1f));
  EXPECT_EQ(caption("LblUвх"), QStringLiteral("1") + kSeparator);  // 0.1 x 14 / 1.41 = 0.993
  amplitude()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(state.ИндексМод, double(1.1f));
  const QString reading = caption("LblUвх");
  frequency()->triggerAction(QAbstractSlider::SliderPageStepAdd);  // frequency alone
  EXPECT_EQ(caption("LblFm"), QStringLiteral(" 650"));
  EXPECT_EQ(caption("LblUвх"), reading);
}

TEST_F(BenchTest, ScrollbarsActWhenTheThumbIsReleasedNotWhileItIsDragged) {
  openBench();
  clickPower("LblвклВЧ");
  const QImage before = screen(bench, "PicОсцВЧ")->image();
  amplitude()->setSliderDown(true);
  amplitude()->setSliderPosition(1500);
  amplitude()->setValue(1500);
  EXPECT_EQ(state.ИндексМод, 0);
  EXPECT_EQ(caption("LblUвх"), kSeparator);
  EXPECT_EQ(screen(bench, "PicОсцВЧ")->image(), before);
  amplitude()->setSliderDown(false);
  EXPECT_EQ(state.ИндексМод, 15);
  EXPECT_NE(caption("LblUвх"), kSeparator);
  EXPECT_NE(screen(bench, "PicОсцВЧ")->image(), before);

  frequency()->setSliderDown(true);
  frequency()->setValue(900);
  EXPECT_EQ(state.Fmod, 550);
  frequency()->setSliderDown(false);
  EXPECT_EQ(state.Fmod, 900);
  EXPECT_EQ(caption("LblFm"), QStringLiteral(" 900"));
}

// Each power switch: graticule at switch-on (red and yellow lines on black), a bare black
// screen after switch-off, and the same graticule drawn afresh at the next switch-on.
struct Instrument {
  const char* power;
  const char* screen;
  const char* scaleLabel;  // shown while on (or none)
};

class PowerSwitch : public BenchTest, public ::testing::WithParamInterface<Instrument> {};

TEST_P(PowerSwitch, DrawsTheGraticuleAtSwitchOnAndLeavesBlackAtSwitchOff) {
  openBench();
  PictureBox* display = screen(bench, GetParam().screen);
  auto* power = child<QLabel>(bench, GetParam().power);
  EXPECT_EQ(count(display->image(), kBlack), display->image().width() * display->image().height());

  clickPower(GetParam().power);
  EXPECT_EQ(background(power), kRed);
  EXPECT_EQ(power->frameShape(), QFrame::Box);
  const QImage on = display->image();
  EXPECT_GT(count(on, kYellow), 500);
  EXPECT_GT(count(on, kRed), 100);
  EXPECT_FALSE(display->autoRedraw());
  EXPECT_EQ(display->drawWidth(), 2);
  if (GetParam().scaleLabel) {
    EXPECT_TRUE(child<QLabel>(bench, GetParam().scaleLabel)->isVisible());
  }

  amplitude()->setValue(100);  // a trace on top
  EXPECT_GT(count(display->image(), kGreen), 20);
  clickPower(GetParam().power);
  const QImage off = display->image();
  EXPECT_EQ(count(off, kBlack), off.width() * off.height());
  EXPECT_EQ(background(power), QColor(0x80, 0xFF, 0x80));
  EXPECT_EQ(power->frameShape(), QFrame::NoFrame);
  if (GetParam().scaleLabel) {
    EXPECT_FALSE(child<QLabel>(bench, GetParam().scaleLabel)->isVisible());
  }
  amplitude()->setValue(200);  // nothing is drawn while off
  EXPECT_EQ(display->image(), off);

  amplitude()->setValue(0);
  clickPower(GetParam().power);
  clickPower(GetParam().power);
  clickPower(GetParam().power);
  if (QString::fromUtf8(GetParam().screen) != QStringLiteral("PicОсцВЧ")) {
    EXPECT_EQ(display->image(), on);  // only the graticule until the next change
  }
}

INSTANTIATE_TEST_SUITE_P(Instruments, PowerSwitch,
                         ::testing::Values(Instrument{"LblВклНЧ", "PicОсцНЧ", "LblYНЧ"},
                                           Instrument{"LblвклВЧ", "PicОсцВЧ", nullptr},
                                           Instrument{"LblвклСА", "PicСпектр", "LblХСА"}));

TEST_F(BenchTest, OnlyTheHfOscilloscopeDrawsItsTraceAtSwitchOn) {
  openBench();
  amplitude()->setValue(500);
  clickPower("LblВклНЧ");
  clickPower("LblвклВЧ");
  clickPower("LblвклСА");
  EXPECT_EQ(count(screen(bench, "PicОсцНЧ")->image(), kGreen), 0);
  EXPECT_GT(count(screen(bench, "PicОсцВЧ")->image(), kGreen), 200);
  EXPECT_EQ(count(screen(bench, "PicСпектр")->image(), kGreen), 0);
  frequency()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_GT(count(screen(bench, "PicОсцНЧ")->image(), kGreen), 50);
  EXPECT_GT(count(screen(bench, "PicСпектр")->image(), kGreen), 50);
}

TEST_F(BenchTest, AtIndexZeroTheAnalyzerShowsTheCarrierAtFullHeightOnly) {
  openBench();
  clickPower("LblвклСА");
  amplitude()->setValue(10);
  amplitude()->setValue(0);
  PictureBox* analyzer = screen(bench, "PicСпектр");
  const QImage image = analyzer->image();
  auto greenAt = [&](double x, double y) {
    const QPointF p = analyzer->toPixels(x, y) * image.devicePixelRatio();
    return image.pixelColor(int(p.x()), int(p.y())) == kGreen;
  };
  EXPECT_TRUE(greenAt(0, 0.5));
  EXPECT_TRUE(greenAt(0, 0.97));
  EXPECT_FALSE(greenAt(0, 1.1));
  EXPECT_FALSE(greenAt(2.2, 0.1));  // the first pair at 550 kHz has zero height
  EXPECT_EQ(state.Порядок, 5);
  EXPECT_EQ(state.Jn, 0);
}

// The drawing surface keeps what was drawn: an expose shows it again, and a repaint the
// window system asks for shows the whole spectrum last computed, whatever Порядок holds.
TEST_F(BenchTest, TracesAndSpectrumSurviveExposesAndRepaints) {
  openBench();
  for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"}) clickPower(power);
  amplitude()->setValue(240);
  PictureBox* analyzer = screen(bench, "PicСпектр");
  const QImage lf = screen(bench, "PicОсцНЧ")->image();
  const QImage spectrum = analyzer->image();
  bench->hide();
  bench->show();
  bench->repaint();
  settleEvents();
  EXPECT_EQ(screen(bench, "PicОсцНЧ")->image(), lf);
  EXPECT_EQ(analyzer->image(), spectrum);

  state.Порядок = 7;
  state.Jn = 0.9;
  const QSize size = analyzer->size();
  analyzer->resize(size + QSize(1, 1));  // the window system asks for a repaint
  analyzer->resize(size);
  EXPECT_EQ(analyzer->image(), spectrum);
}

TEST_F(BenchTest, WhenActivatedAgainTheBenchTakesTheIndexFromItsControl) {
  openBench();
  amplitude()->setValue(150);
  openViewer();
  EXPECT_GT(state.ИндексМод, 20);  // the viewer's sweep
  EXPECT_EQ(state.Порядок, 0);
  child<QScrollBar>(viewer, "HScrlПорядок")->setValue(3);
  EXPECT_EQ(state.Порядок, 3);

  activate(bench);
  EXPECT_EQ(state.ИндексМод, 1.5);
  clickPower("LblВклНЧ");
  frequency()->setValue(560);
  EXPECT_EQ(state.Порядок, 5);  // the spectrum loop's counter
  const QImage trace = screen(bench, "PicОсцНЧ")->image();
  amplitude()->setValue(100);
  amplitude()->setValue(150);
  EXPECT_EQ(screen(bench, "PicОсцНЧ")->image(), trace);  // drawn at the control's index
}

struct StageRow {
  std::vector<int> clicks;
};

class Stages : public BenchTest, public ::testing::WithParamInterface<StageRow> {};

TEST_P(Stages, NextIsEnabledByTheClickThatCompletesTheThreeChecks) {
  openBench();
  auto* next = child<QPushButton>(bench, "CmdNext");
  std::set<int> seen;
  for (int stage : GetParam().clicks) {
    const QString name = QStringLiteral("mnuЭтап(%1)").arg(stage);
    auto* item = bench->findChild<QAction*>(name);
    ASSERT_NE(item, nullptr);
    bool checkedDuringMessage = true;
    desktop.onMessage = [&](const DesktopCall&) { checkedDuringMessage = item->isChecked(); };
    const bool wasChecked = seen.count(stage) > 0;
    item->trigger();
    EXPECT_EQ(checkedDuringMessage, wasChecked);  // the mark comes after the message
    EXPECT_TRUE(item->isChecked());
    seen.insert(stage);
    EXPECT_EQ(next->isEnabled(), seen.size() == 3);
  }
  EXPECT_EQ(desktop.messages().size(), GetParam().clicks.size());
}

INSTANTIATE_TEST_SUITE_P(Orders, Stages,
                         ::testing::Values(StageRow{{1, 2, 3}}, StageRow{{3, 1, 2}},
                                           StageRow{{2, 2, 1, 1, 3}}, StageRow{{1, 2}}));

TEST_F(BenchTest, StageMessagesAreInformationBoxesTitledLikeTheirItems) {
  openBench();
  const std::vector<int> lineCounts{4, 5, 7};
  for (int stage = 1; stage <= 3; ++stage) {
    bench->findChild<QAction*>(QStringLiteral("mnuЭтап(%1)").arg(stage))->trigger();
    const DesktopCall box = desktop.messages().back();
    EXPECT_EQ(box.title, QStringLiteral("Этап %1").arg(stage));
    EXPECT_EQ(box.icon, MsgIcon::Information);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    const QStringList lines = box.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), lineCounts[stage - 1]) << stage;
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral(" Этап %1. ").arg(stage)));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(box.text.count(QLatin1Char('\n')), lines.size() - 1);  // no bare line feeds
  }
  const QStringList third = desktop.messages().back().text.split(QStringLiteral("\r\n"));
  EXPECT_TRUE(
      third[2].endsWith(QStringLiteral("'Функции Бесселя'. Определите какие составляющие "
                                       "будут присутствовать в спектре при индексах "
                                       "модуляции (mf) равных 0; 2.4; 3.8. ")));
  EXPECT_EQ(third[5],
            QStringLiteral("4. Установите частоту модулирующего сигнала равной 500 кГц."));
}

// The viewer's load takes a moment: the bench shows the hourglass until the load is over.
TEST_F(BenchTest, TheViewerOpensUnderTheHourglassThatItsLoadTakesAway) {
  openBench();
  std::optional<Qt::CursorShape> pointerAtCreation;
  struct Watch : QObject {
    std::optional<Qt::CursorShape>* seen;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (!*seen && event->type() == QEvent::WindowTitleChange &&
          watched->objectName() == QStringLiteral("FrmБессель")) {
        const QCursor* pointer = QGuiApplication::overrideCursor();
        *seen = pointer ? pointer->shape() : Qt::ArrowCursor;
      }
      return false;
    }
  } watch;
  watch.seen = &pointerAtCreation;
  qApp->installEventFilter(&watch);
  bench->findChild<QAction*>(QStringLiteral("mnuБесс"))->trigger();
  qApp->removeEventFilter(&watch);
  ASSERT_TRUE(pointerAtCreation.has_value());
  EXPECT_EQ(*pointerAtCreation, Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  LabScreen* opened = hub->find(ScreenId::Bessel);
  ASSERT_NE(opened, nullptr);

  bench->findChild<QAction*>(QStringLiteral("mnuБесс"))->trigger();  // already open
  EXPECT_EQ(hub->find(ScreenId::Bessel), opened);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(BenchTest, NextOpensTheCharacteristicAndExitAskedNoChangesNothing) {
  openBench();
  amplitude()->setValue(300);
  const QString reading = caption("LblUвх");
  desktop.answers = {MsgAnswer::No};
  child<QPushButton>(bench, "CmdEnd")->click();
  ASSERT_EQ(desktop.messages().size(), 1u);
  EXPECT_EQ(desktop.lastMessage(), QStringLiteral("Вы хотите окончить работу с программой?"));
  EXPECT_FALSE(desktop.ended);
  EXPECT_EQ(caption("LblUвх"), reading);
  EXPECT_EQ(state.ИндексМод, 3);

  auto* next = child<QPushButton>(bench, "CmdNext");
  next->setEnabled(true);
  next->click();
  settleEvents();
  EXPECT_NE(hub->find(ScreenId::Characteristic), nullptr);
  EXPECT_EQ(hub->find(ScreenId::Bench), bench);
}

}  // namespace
