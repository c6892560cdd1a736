#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace slicewright {

// A colour in the layout 0x00BBGGRR; values with the top bit set stand for
// the system colour 0x80000000 + index.
using Colour = uint32_t;

constexpr Colour SystemColourBase = 0x80000000u;
constexpr Colour ColourNone = 0x1FFFFFFFu;

// The name of the named colour with this value, or "$" and eight upper-case
// hexadecimal digits.
std::string ColourToText(Colour colour);

// A colour name (letter case ignored) or an integer literal, decimal or
// hexadecimal after "$"; nothing for any other text.
std::optional<Colour> TextToColour(const std::string& text);

}  // namespace slicewright
