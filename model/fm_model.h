#pragma once

#include <QLocale>
#include <QPointF>
#include <QString>
#include <array>
#include <vector>

struct ModЧМ;

// The FM modulator under test as the bench shows it: what its controls set, what the
// millivoltmeter reads and what the instrument screens draw, in the screens' user units.

// A screen's user coordinate system (y grows upwards: top > bottom).
struct ScreenScale {
  double left, top, right, bottom;
};
inline constexpr ScreenScale kLfScreen{-11, 1.3, 11, -1.1};
inline constexpr ScreenScale kHfScreen{-11, 1.1, 11, -1.1};
inline constexpr ScreenScale kSpectrumScreen{-10, 1.3, 10, -0.7};

// A polyline: a line from `start` to the first point, then from each point to the next. The LF
// oscillogram also marks its start with a point in the screen's own colour; the others only
// move there.
struct Trace {
  QPointF start;
  std::vector<QPointF> points;
  bool dotAtStart = false;
};

// A graticule line; the zero lines are drawn red, the others yellow.
struct GridLine {
  QPointF from, to;
  bool zero;
};

// One spectral line, a vertical line from (x, 0) to (x, height); order 0 is the carrier.
struct SpectrumLine {
  int order;
  double x;
  double height;
};

inline constexpr int kSpectrumOrders = 5;  // the carrier and four side pairs
using SpectrumHeights = std::array<double, kSpectrumOrders>;

// The modulation index mf from the amplitude control (0..2500): value / 100, single precision.
float indexFromAmplitude(int controlValue);

// РасчКоэфU: input amplitude per unit index, mV, from ИндексМод and the variant. Above
// ГраницаЛин (strictly) the modulator needs more input: КоэфUвх + mf² / (100 КоэфНелин).
float inputFactor(const ModЧМ& state);

// The millivoltmeter: RMS input voltage in mV, ИндексМод · КоэфU / 1.41, in double precision
// (the single КоэфU is widened to the index's double).
double millivoltReading(const ModЧМ& state, float inputFactor);
// The reading as the millivoltmeter shows it, through "###.#" (0.993 -> "1,", 0 -> ",").
QString millivoltText(double reading, const QLocale& locale = QLocale::system());

// The graticules: an oscilloscope's (twelve horizontal lines -1..1.2 and eleven vertical ones
// -10..10; on the HF screen the top line lies above the visible area) and the analyzer's.
std::vector<GridLine> oscilloscopeGraticule();
std::vector<GridLine> spectrumGraticule();

// The LF oscillogram, the modulating signal: 41 points x = -10..10 in steps of 0.5, amplitude
// ИндексМод · КоэфUвх / 200 (the linear factor), phase advancing Fmod / 2000 rad per point.
Trace lfTrace(const ModЧМ& state);
// The HF oscillogram, the FM signal: 400 points from x = -10 by a running sum of 0.05 while
// x <= 10; carrier phase from 3.14 by 0.15 rad per point, phase deviation ИндексМод / 10.
Trace hfTrace(const ModЧМ& state);

// The spectrum: J_0..J_4 at ИндексМод through the shared series cells, as the bench's spectrum
// loop runs it (Порядок is left at 5); returns the line heights |J_n|.
SpectrumHeights spectrumHeights(ModЧМ& state);
// The lines of those heights: the carrier at 0, the pair n at ±n · Fmod / 250 (250 kHz per
// unit); pairs beyond ±10 lie off the screen.
std::vector<SpectrumLine> spectrumLines(const SpectrumHeights& heights, double fmod);
