#include "platform/vb_color.h"

#include <QGuiApplication>
#include <QPalette>

QColor vbColor(std::uint32_t value) {
  if (value & 0x80000000u) {
    const QPalette palette = QGuiApplication::palette();
    switch (value & 0xFFu) {
      case 0x05:
        return palette.color(QPalette::Base);
      case 0x08:
        return palette.color(QPalette::Text);
      case 0x0F:
        return palette.color(QPalette::Button);
      case 0x12:
        return palette.color(QPalette::ButtonText);
      case 0x0D:
        return palette.color(QPalette::Highlight);
      case 0x0E:
        return palette.color(QPalette::HighlightedText);
      case 0x11:
        return palette.color(QPalette::Disabled, QPalette::Text);
      case 0x18:
        return palette.color(QPalette::ToolTipBase);
      case 0x17:
        return palette.color(QPalette::ToolTipText);
      default:
        return palette.color(QPalette::Window);
    }
  }
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
