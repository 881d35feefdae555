// Every drawing surface draws where its scale says: the pixels expected are computed here from
// each surface's size and the scale the screen is meant to have, not through the widget.

#include <QLabel>
#include <QPainter>
#include <QPicture>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <cmath>

#include "model/fm_model.h"
#include "platform/picture_box.h"
#include "support/lab.h"
#include "support/records.h"

namespace {
using enum ScreenId;

const QColor kBlack(0, 0, 0), kGreen(0, 255, 0), kYellow(255, 255, 0), kRed(255, 0, 0),
    kBlue(0, 0, 255);

struct Scale {  // a user coordinate system: y grows upwards
  double left, top, right, bottom;
};
constexpr Scale kLf{-11, 1.3, 11, -1.1}, kHf{-11, 1.1, 11, -1.1}, kSpectrum{-10, 1.3, 10, -0.7},
    kViewer{-3, 1.2, 25, -1}, kPlot{-0.35, 12, 0.35, -12};

// What the window system sends when a window is uncovered.
void uncover(QWindow* window) {
  QExposeEvent uncovered(QRegion(QRect(QPoint(), window->size())));
  QCoreApplication::sendEvent(window, &uncovered);
}

QPointF pixel(const QImage& image, const Scale& s, double x, double y) {
  return {(x - s.left) / (s.right - s.left) * image.width(),
          (s.top - y) / (s.top - s.bottom) * image.height()};
}

struct Probe {
  double x, y;
  QColor colour;
  bool inked = true;
};

class Drawing : public ScreenTest {
 public:
  Drawing() { restart(0.0); }  // variant row 0: ГраницаЛин 2.7, КоэфUвх 14
  void expectProbes(ScreenId id, const char* name, const Scale& scale,
                    const std::vector<Probe>& probes) {
    auto* box = child<PictureBox>(id, name);
    ASSERT_NE(box, nullptr);
    for (const QImage image = box->image(); const Probe& p : probes)
      EXPECT_EQ(inkNear(image, pixel(image, scale, p.x, p.y), p.colour), p.inked)
          << name << " at " << p.x << ", " << p.y;
  }
};

// The graticules: zero lines red, the others yellow (blue on the viewer), each on its scale. The
// viewer, uncovered after the bench's spectrum has left Порядок at 5, shows J_0 as its order says.
TEST_F(Drawing, GraticulesLieOnEachScreensScale) {
  const double j1 = std::cyl_bessel_j(1, 1.84), j0 = std::cyl_bessel_j(0, 4.0);
  // clang-format off
  const std::tuple<ScreenId, const char*, const char*, Scale, std::vector<Probe>> rows[] = {
      {Bench, "LblВклНЧ", "PicОсцНЧ", kLf, {{5.25, 0, kRed}, {0, 0.5, kRed}, {5.25, 1, kYellow}, {5.25, -1, kYellow}, {5.25, 0.1, kRed, false}}},
      {Bench, "LblвклВЧ", "PicОсцВЧ", kHf, {{0, 0.97, kRed}, {0, -0.97, kRed}, {-9, -1, kYellow}, {-9, 1, kYellow}}},
      {Bench, "LblвклСА", "PicСпектр", kSpectrum, {{5, 0, kRed}, {0, 0.5, kRed}, {5, 0.6, kYellow}, {5, -0.4, kYellow}, {5, 0.1, kRed, false}}},
      {Bessel, nullptr, "picБессель", kViewer, {{12.5, 0, kRed}, {10, 0.55, kRed}, {3, 0.55, kBlue}, {-1, 0.55, kBlue, false}, {1.84, j1, kBlack}, {4, j0, kRed}, {3.5, std::cyl_bessel_j(5, 3.5), kRed, false}}}};
  // clang-format on
  for (const auto& [screen, power, name, scale, probes] : rows) {
    SCOPED_TRACE(name);
    reach(screen);
    if (power) click(screen, power);
    if (screen == Bessel) {
      child<QScrollBar>(Bench, "HScrUвх")->setValue(300);
      uncover(hub->find(Bessel)->windowHandle());
    }
    expectProbes(screen, name, scale, probes);
  }
}

// The traces and the spectrum: the model's points land on the screen's pixels, the spectral
// pairs at 250 kHz per unit with the heights |Jn(mf)|.
TEST_F(Drawing, TracesAndSpectrumLandOnTheirScales) {
  reach(Bench);
  for (const char* power : {"LblВклНЧ", "LblвклВЧ", "LblвклСА"}) click(Bench, power);
  child<QScrollBar>(Bench, "HScrUвх")->setValue(240);  // mf 2.4
  for (const auto& [name, scale, trace] :
       {std::tuple("PicОсцНЧ", kLf, lfTrace(state)), std::tuple("PicОсцВЧ", kHf, hfTrace(state))}) {
    SCOPED_TRACE(name);
    const QImage image = child<PictureBox>(Bench, name)->image();
    const auto hits = std::ranges::count_if(trace.points, [&](const QPointF& p) {
      return inkNear(image, pixel(image, scale, p.x(), p.y()), kGreen);
    });
    EXPECT_GE(hits, 0.95 * trace.points.size());
  }
  std::vector<Probe> spectrum{{0, 0.2, kGreen, false}};  // J0(2.4) is nearly zero
  for (int n = 1; n <= 3; ++n) {
    const double height = std::abs(std::cyl_bessel_j(n, 2.4));
    for (const double x : {-n * 550 / 250.0, n * 550 / 250.0})
      spectrum.insert(spectrum.end(), {{x, 0.6 * height, kGreen},
                                       {x, height + 0.08, kGreen, false},
                                       {x * 250 / 200, 0.6 * height, kGreen, false}});
  }
  expectProbes(Bench, "PicСпектр", kSpectrum, spectrum);
}

// Switched off, an instrument's screen is black and stays so; switched on, it starts afresh,
// draws its trace when the window system repaints the bench, and a double-click is one click.
TEST_F(Drawing, InstrumentsDrawOnlyWhileOn) {
  QWindow* w = reach(Bench)->windowHandle();  // the bench's window
  for (const auto& [power, name] :
       {std::pair{"LblВклНЧ", "PicОсцНЧ"}, {"LblвклВЧ", "PicОсцВЧ"}, {"LblвклСА", "PicСпектр"}}) {
    SCOPED_TRACE(name);
    PictureBox* box = child<PictureBox>(Bench, name);
    click(Bench, power);
    const QImage on = box->image();
    click(Bench, power);
    child<QScrollBar>(Bench, "HScrUвх")->setValue(500);  // nothing drawn while off
    EXPECT_EQ(inkCount(box->image(), {kBlack}), box->image().width() * box->image().height());
    child<QScrollBar>(Bench, "HScrUвх")->setValue(0);
    click(Bench, power);
    EXPECT_EQ(box->image(), on);
    uncover(w);
    EXPECT_GT(inkCount(box->image(), {kGreen}), 0);
    QTest::mouseDClick(w, Qt::LeftButton, {}, child(Bench, power)->mapTo(box->window(), QPoint()));
    EXPECT_EQ(child(Bench, power)->palette().color(QPalette::Window), QColor(0x80FF80u));
  }
}

// The viewer's sweep leaves ИндексМод near 20; what the bench then draws or reads without being
// activated again (a frequency change, the high-frequency scope switched on, a repaint of the
// low-frequency one) is still for the bench's own amplitude.
TEST_F(Drawing, TheBenchDrawsAndReadsItsOwnAmplitudeAfterTheViewer) {
  reach(Bench);
  auto* frequency = child<QScrollBar>(Bench, "HScrFmod");
  auto *lf = child<PictureBox>(Bench, "PicОсцНЧ"), *hf = child<PictureBox>(Bench, "PicОсцВЧ");
  child<QScrollBar>(Bench, "HScrUвх")->setValue(150);
  for (const char* power : {"LblВклНЧ", "LblвклВЧ"}) click(Bench, power);
  frequency->setValue(600);
  const QString reading = child<QLabel>(Bench, "LblUвх")->text();
  const QImage lfTrace = lf->image(), hfTrace = hf->image();
  for (const char* power : {"LblВклНЧ", "LblвклВЧ"}) click(Bench, power);
  frequency->setValue(550);
  reach(Bessel);
  ASSERT_GT(state.ИндексМод, 19);
  frequency->setValue(600);
  EXPECT_EQ(child<QLabel>(Bench, "LblUвх")->text(), reading);
  state.ИндексМод = 20, click(Bench, "LblвклВЧ");
  EXPECT_EQ(hf->image(), hfTrace);
  state.ИндексМод = 20, click(Bench, "LblВклНЧ");
  lf->resize(lf->size() + QSize(1, 1)), lf->resize(lf->size() - QSize(1, 1));
  EXPECT_EQ(lf->image(), lfTrace);
}

// The characteristic: the curve and its mirror through the origin, then the idealized line.
TEST_F(Drawing, TheCharacteristicPlotsTheRowsOnItsScale) {
  reach(Characteristic);
  enter(Characteristic, "Text1(1)", "10");
  const double u = state.Рез.ХарUвх[1] / 1000.0, f = state.Рез.Харdf[1];
  // clang-format off
  expectProbes(Characteristic, "PicХар", kPlot,
               {{0.5 * u, 0.5 * f, kBlue}, {u, f, kBlue}, {-0.5 * u, -0.5 * f, kBlue},
                {-u, -f, kBlue}, {0.5 * u, -0.5 * f, kBlue, false}, {3 * u, 3 * f, kBlue, false},
                {5 * u, 5 * f, kRed, false}});
  // clang-format on
  click(Characteristic, "CmdИХ");
  expectProbes(Characteristic, "PicХар", kPlot, {{5 * u, 5 * f, kRed}, {-8 * u, -8 * f, kRed}});
}

// The report of a whole table: thirteen rows each way from the origin, row 14 left out.
TEST_F(Drawing, TheReportPlotsThirteenRowsAndTheirMirror) {
  Результат& r = state.Рез;
  fillTable(r);
  r.ХарUвх[14] = 100;  // off the curve
  reach(Report);
  std::vector<Probe> probes;
  for (int row = 1; row <= 13; ++row) {
    const double x = r.ХарUвх[row] / 1000.0, y = r.Харdf[row];
    probes.insert(probes.end(), {{x, y, kBlue}, {-x, -y, kBlue}, {-x, y, kBlue, false}});
  }
  probes.push_back({0.1, r.Харdf[14], kBlue, false});
  expectProbes(Report, "PicЧМХар", kPlot, probes);
}

// A page (not pixels) gets the background's calls and, until cls(), those drawn on top again.
TEST(PictureBoxPage, ReplaysTheBackgroundAndWhatWasDrawnOnTop) {
  PictureBox box;
  box.resize(100, 100), box.show(), box.setScale(0, 0, 100, 100), box.setDrawWidth(3);
  box.setAutoRedraw(true), box.line(10, 25, 90, 25, kRed);
  box.setAutoRedraw(false), box.line(10, 75, 90, 75, kGreen);
  for (const bool cleared : {false, true}) {
    SCOPED_TRACE(cleared);
    if (cleared) box.cls();
    QPicture page;
    box.render(&page);
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter(&image).drawPicture(0, 0, page);
    EXPECT_TRUE(inkNear(image, {50, 25}, kRed) && inkNear(image, {50, 75}, kGreen) != cleared);
  }
}
}  // namespace
