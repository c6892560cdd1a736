#pragma once

#include <cstdint>

#include "document/Document.h"

namespace slicewright {

// How far the play line moves per tick and how often the tick runs.
struct PlayLineTimingResult {
  int32_t step = 1;
  uint16_t intervalMs = 1;
};

// From the duration of the visible range: short views step further per
// tick so the tick rate stays sane; the interval is the time the audio
// takes to cross `step` columns, kept within 1 .. 65535 ms.
PlayLineTimingResult ComputePlayLineTiming(const Document& doc, int32_t width);

// Column of a byte position in the view, for the play line.
int32_t PlayLineColumn(const Document& doc, int64_t position, int32_t width);

}  // namespace slicewright
