#include "view/gui/ViewColour.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace slicewright {
namespace {

// The closest palette entry for each system colour index 0 .. 24.
constexpr std::array<QPalette::ColorRole, 25> kSystemRoles{QPalette::Button,
                                                           QPalette::Window,
                                                           QPalette::Highlight,
                                                           QPalette::Mid,
                                                           QPalette::Window,
                                                           QPalette::Base,
                                                           QPalette::Shadow,
                                                           QPalette::WindowText,
                                                           QPalette::Text,
                                                           QPalette::HighlightedText,
                                                           QPalette::Mid,
                                                           QPalette::Midlight,
                                                           QPalette::Dark,
                                                           QPalette::Highlight,
                                                           QPalette::HighlightedText,
                                                           QPalette::Button,
                                                           QPalette::Dark,
                                                           QPalette::PlaceholderText,
                                                           QPalette::ButtonText,
                                                           QPalette::WindowText,
                                                           QPalette::Light,
                                                           QPalette::Shadow,
                                                           QPalette::Midlight,
                                                           QPalette::ToolTipText,
                                                           QPalette::ToolTipBase};

}  // namespace

QColor ToQColor(Colour colour) {
  if (colour >= SystemColourBase) {
    const Colour index = colour - SystemColourBase;
    if (index < kSystemRoles.size()) return QGuiApplication::palette().color(kSystemRoles[index]);
    return Qt::black;
  }
  if (colour == ColourNone) return Qt::black;
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace slicewright
