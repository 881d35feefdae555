// How quickly the FM model and the bench screens answer: one Bessel series evaluation next to
// the standard library's J_n, one turn of the bench's amplitude control with every instrument
// on, and the load of the Bessel function viewer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <cmath>

#include "app/screen_hub.h"
#include "bench/bessel_viewer.h"
#include "model/bessel_series.h"
#include "platform/application_setup.h"
#include "platform/desktop.h"
#include "state/work_state.h"

namespace {

// A desktop that answers nothing and shows nothing.
class QuietDesktop : public Desktop {
 public:
  MsgAnswer message(QWidget*, const QString&, MsgButtons, MsgIcon,
                    const std::optional<QString>&) override {
    return MsgAnswer::Ok;
  }
  void beep() override {}
  QString openFileName(QWidget*, const OpenFileRequest&) override { return {}; }
  PrintOutcome printPage(QWidget*, const QString&, const QString&, const PagePainter&) override {
    return PrintOutcome::Cancelled;
  }
  void endProgram() override {}
};

// A click of the left button in the middle of a control.
void click(QWidget* control) {
  const QPointF centre = QRectF(control->rect()).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, centre, control->mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(control, &event);
  }
}

void settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
}

// The series through the calling protocol, as every call site runs it. Args: n, x.
void BM_BesselSeries(benchmark::State& run) {
  ModЧМ state;
  state.Порядок = static_cast<double>(run.range(0));
  const double x = static_cast<double>(run.range(1));
  for (auto _ : run) {
    state.ИндексМод = x;
    evaluateBessel(state);
    benchmark::DoNotOptimize(state.Jn);
  }
}

void BM_StdCylBesselJ(benchmark::State& run) {
  const double n = static_cast<double>(run.range(0));
  double x = static_cast<double>(run.range(1));
  for (auto _ : run) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(std::cyl_bessel_j(n, x));
  }
}

void seriesArguments(benchmark::internal::Benchmark* b) {
  for (int x : {1, 10, 25}) {
    for (int n = 0; n <= 4; ++n) b->Args({n, x});
  }
}
BENCHMARK(BM_BesselSeries)->Apply(seriesArguments);
BENCHMARK(BM_StdCylBesselJ)->Apply(seriesArguments);

// One change of the generator's amplitude with both oscilloscopes and the analyzer on: the
// model, the two traces and the spectrum drawn into the offscreen surfaces, the reading shown.
void BM_BenchAmplitudeChange(benchmark::State& run) {
  ModЧМ state;
  QuietDesktop desktop;
  {
    ScreenHub hub(state, desktop);
    QWidget* bench = hub.show(ScreenId::Bench);
    settle();
    for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"}) {
      click(bench->findChild<QLabel*>(QString::fromUtf8(power)));
    }
    auto* amplitude = bench->findChild<QScrollBar*>(QStringLiteral("HScrUвх"));
    int value = 700;
    for (auto _ : run) {
      value = value == 700 ? 2500 : 700;  // mf 7 and 25: the longest series the bench sums
      amplitude->setValue(value);
    }
    settle();
  }
  settle();
}
BENCHMARK(BM_BenchAmplitudeChange)->Unit(benchmark::kMicrosecond);

// The viewer's load: its controls, the grid with its labels and the five thin curves
// (5 x 400 series), and the first paint of the highlighted curve.
void BM_BesselViewerLoad(benchmark::State& run) {
  ModЧМ state;
  QuietDesktop desktop;
  ScreenHub hub(state, desktop);
  hub.show(ScreenId::Bench);  // the viewer opens from the bench, which stays open
  for (auto _ : run) {
    hub.show(ScreenId::Bessel);
    run.PauseTiming();
    hub.unload(ScreenId::Bessel);
    settle();
    run.ResumeTiming();
  }
}
BENCHMARK(BM_BesselViewerLoad)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  setUpApplication(application);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
