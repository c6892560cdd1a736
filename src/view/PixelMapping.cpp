#include "view/PixelMapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace slicewright {

int32_t RoundHalfEven(double value) {
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  if (std::isnan(value)) return 0;
  // nearbyint follows the default rounding mode, which rounds halves to even;
  // the clamp keeps a degenerate view from overflowing the conversion.
  return static_cast<int32_t>(std::clamp(std::nearbyint(value), kLow, kHigh));
}

int32_t ColumnOf(int64_t position, int32_t viewStart, int32_t viewLength, int32_t width) {
  if (viewLength <= 0) return 0;
  return RoundHalfEven(static_cast<double>(position - viewStart) / viewLength * width);
}

int32_t SampleUnderColumn(int32_t x, int32_t width, int32_t viewStart, int32_t viewLength, int32_t bytesPerSample) {
  if (width <= 0 || bytesPerSample <= 0) return 0;
  const double byte = static_cast<double>(x) / width * viewLength + viewStart;
  return RoundHalfEven(byte / bytesPerSample);
}

int32_t WaveRow(int32_t level, int32_t height) {
  return height / 2 - RoundHalfEven(static_cast<double>(level) * height / WaveScaleLevels);
}

}  // namespace slicewright
