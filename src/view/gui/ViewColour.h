#pragma once

#include <QColor>

#include "app/ColourText.h"

namespace slicewright {

// The screen colour of a stored colour: 0x00BBGGRR, or a system colour
// taken from the application palette.
QColor ToQColor(Colour colour);

}  // namespace slicewright
