#include "view/PixelMapping.h"

namespace slicewright {

int32_t ColumnOf(int64_t position, int32_t viewStart, int32_t viewLength, int32_t width) {
  if (viewLength <= 0) return 0;
  return RoundHalfEven(static_cast<double>(position - viewStart) / viewLength * width);
}

int32_t SampleUnderColumn(int32_t x, int32_t width, int32_t viewStart, int32_t viewLength,
                          int32_t bytesPerSample) {
  if (width <= 0 || bytesPerSample <= 0) return 0;
  const double byte = static_cast<double>(x) / width * viewLength + viewStart;
  return RoundHalfEven(byte / bytesPerSample);
}

int32_t WaveRow(int32_t level, int32_t height) {
  return height / 2 - RoundHalfEven(static_cast<double>(level) * height / WaveScaleLevels);
}

}  // namespace slicewright
