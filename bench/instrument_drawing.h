#pragma once

#include <QColor>
#include <vector>

#include "model/fm_model.h"

class PictureBox;

// Drawing the model's figures on an instrument screen.

inline const QColor kTraceGreen{0, 255, 0};

// A graticule in lines one pixel wide (zero lines red, the others yellow) on the given user
// scale; then persistent drawing off, line width 2 and solid lines for the traces.
void drawGraticule(PictureBox& screen, const ScreenScale& scale,
                   const std::vector<GridLine>& lines);
// A trace from its start through its points, in the given colour or else the screen's own.
void drawTrace(PictureBox& screen, const Trace& trace, const QColor& color = QColor());
// The spectrum lines, each from (x, 0) up to (x, height).
void drawSpectrum(PictureBox& screen, const std::vector<SpectrumLine>& lines);
