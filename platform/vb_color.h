#pragma once

#include <QColor>
#include <cstdint>

// Colours as the screens specify them: &HBBGGRR values (RGB(r, g, b) = r + 256 g + 65536 b) and
// system colours &H800000xx, which take the current palette's colour.
inline constexpr std::uint32_t vbRgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) + 256u * static_cast<std::uint32_t>(g) +
         65536u * static_cast<std::uint32_t>(b);
}

inline constexpr std::uint32_t kVbWindowBackground = 0x80000005;
inline constexpr std::uint32_t kVbWindowText = 0x80000008;
inline constexpr std::uint32_t kVbButtonFace = 0x8000000F;
inline constexpr std::uint32_t kVbButtonText = 0x80000012;

QColor vbColor(std::uint32_t value);
