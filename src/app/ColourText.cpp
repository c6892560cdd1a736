#include "app/ColourText.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <utility>

namespace slicewright {
namespace {

struct NamedColour {
  const char* name;
  Colour value;
};

constexpr std::array<NamedColour, 42> kNamedColours{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", SystemColourBase + 0},
    {"clBackground", SystemColourBase + 1},
    {"clActiveCaption", SystemColourBase + 2},
    {"clInactiveCaption", SystemColourBase + 3},
    {"clMenu", SystemColourBase + 4},
    {"clWindow", SystemColourBase + 5},
    {"clWindowFrame", SystemColourBase + 6},
    {"clMenuText", SystemColourBase + 7},
    {"clWindowText", SystemColourBase + 8},
    {"clCaptionText", SystemColourBase + 9},
    {"clActiveBorder", SystemColourBase + 10},
    {"clInactiveBorder", SystemColourBase + 11},
    {"clAppWorkSpace", SystemColourBase + 12},
    {"clHighlight", SystemColourBase + 13},
    {"clHighlightText", SystemColourBase + 14},
    {"clBtnFace", SystemColourBase + 15},
    {"clBtnShadow", SystemColourBase + 16},
    {"clGrayText", SystemColourBase + 17},
    {"clBtnText", SystemColourBase + 18},
    {"clInactiveCaptionText", SystemColourBase + 19},
    {"clBtnHighlight", SystemColourBase + 20},
    {"cl3DDkShadow", SystemColourBase + 21},
    {"cl3DLight", SystemColourBase + 22},
    {"clInfoText", SystemColourBase + 23},
    {"clInfoBk", SystemColourBase + 24},
    {"clNone", ColourNone},
}};

bool SameIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return i == a.size() && b[i] == '\0';
}

// Colours are 32-bit integers: a decimal literal may be negative (a colour
// with the top bit set) and a hexadecimal one may use all 32 bits.
std::optional<Colour> ParseColourNumber(const std::string& text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '$') {
    ++first;
    uint32_t value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value, 16);
    if (first == last || ec != std::errc{} || ptr != last) return std::nullopt;
    return value;
  }
  if (first != last && *first == '+') ++first;
  int32_t value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (first == last || ec != std::errc{} || ptr != last) return std::nullopt;
  return static_cast<Colour>(value);
}

}  // namespace

std::string ColourToText(Colour colour) {
  for (const NamedColour& named : kNamedColours) {
    if (named.value == colour) return named.name;
  }
  char text[16];
  std::snprintf(text, sizeof text, "$%.8X", static_cast<unsigned>(colour));
  return text;
}

std::optional<Colour> TextToColour(const std::string& text) {
  for (const NamedColour& named : kNamedColours) {
    if (SameIgnoringCase(text, named.name)) return named.value;
  }
  return ParseColourNumber(text);
}

}  // namespace slicewright
