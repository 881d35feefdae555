#pragma once

#include <QString>

#include "model/fm_model.h"

// What the instrument screens and the Bessel plot show, in words for a screen reader, made from
// the model's own numbers. Heights and amplitudes are in divisions of the screen's graticule
// (0.2 units each); numbers are written as the system locale writes them.

// The carrier first, then each side pair, so that a null can be found by ear.
QString spectrumText(const SpectrumHeights& heights, double fmod);
// The same, short, to be heard at every step of a control: the carrier and the first two pairs.
QString spectrumNews(const SpectrumHeights& heights);
// An oscillogram: its amplitude and how many periods the screen holds.
QString traceText(const Trace& trace);
// The highlighted Bessel curve: its order and where it crosses zero on the plot.
QString besselText(int order, const Trace& curve);
