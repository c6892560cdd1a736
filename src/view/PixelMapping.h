#pragma once

#include <cstdint>

#include "document/Rounding.h"

namespace slicewright {

// Column of a byte position in a view of viewLength bytes from viewStart
// drawn over `width` columns. An empty view maps everything to column 0.
int32_t ColumnOf(int64_t position, int32_t viewStart, int32_t viewLength, int32_t width);

// The sample number under column x, as the status bar shows it.
int32_t SampleUnderColumn(int32_t x, int32_t width, int32_t viewStart, int32_t viewLength,
                          int32_t bytesPerSample);

// The waveform spans 228 levels of the 256 that a 16-bit sample div 256
// gives, so full-scale peaks reach just past the edges and are clipped.
constexpr int32_t WaveScaleLevels = 228;

// Row of the level v (-128 .. 127) in a picture `height` rows high.
int32_t WaveRow(int32_t level, int32_t height);

}  // namespace slicewright
