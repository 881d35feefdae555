#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

// Positions and sizes of the screens are given in twips (1/1440 inch); at 96 dpi a logical pixel
// is 15 twips. Qt's own high-DPI scaling maps logical pixels to the screen.
inline constexpr int kTwipsPerPixel = 15;

inline int px(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline double toTwips(double pixels) { return pixels * kTwipsPerPixel; }
inline QPoint twipsPoint(double left, double top) { return {px(left), px(top)}; }
inline QSize twipsSize(double width, double height) { return {px(width), px(height)}; }
inline QRect twipsRect(double left, double top, double width, double height) {
  return {px(left), px(top), px(width), px(height)};
}
