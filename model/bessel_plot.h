#pragma once

#include <QLocale>
#include <QString>

#include "model/fm_model.h"

// The Bessel function viewer's plot: J_n(x) over x = 0..20.
inline constexpr ScreenScale kBesselPlot{-3, 1.2, 25, -1};

// The curve of the order in Порядок: from (0, 1) for J_0 or (0, 0), then 400 points with
// ИндексМод running from 0 by a sum of 0.05 while <= 20 (the last at about 19.95), each through
// the shared series cells. ИндексМод is left just above 20.
Trace besselCurve(ModЧМ& state);

// A tick label of the plot: a blank for the sign of a non-negative value, then the value in
// the locale's general format with at most 15 significant digits, which hides the rounding of
// the running sums (0.30000000000000004 -> " 0,3").
QString tickLabel(double value, const QLocale& locale = QLocale::system());
