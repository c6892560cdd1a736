#include "audio/PlayLineMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace slicewright {

int32_t NearestEven(double value) {
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  if (std::isnan(value)) return 0;
  // nearbyint follows the default rounding mode, which rounds halves to even.
  return static_cast<int32_t>(std::clamp(std::nearbyint(value), kLow, kHigh));
}

namespace {
int32_t StepForRate(double r) {
  if (r <= 0.1) return 1;
  if (r <= 0.4) return 2;
  if (r <= 0.8) return 4;
  if (r <= 1.4) return 8;
  if (r <= 2.0) return 16;
  return 32;
}
}  // namespace

PlayLineTimingResult ComputePlayLineTiming(const Document& doc, int32_t width) {
  PlayLineTimingResult result;
  const double bytesPerSample = doc.BitsPerSample >= 8 ? doc.BitsPerSample / 8 : BytesPerSample;
  if (doc.SampleRate <= 0 || doc.ViewLength <= 0 || width <= 0) return result;
  const double samples = doc.ViewLength / bytesPerSample;
  result.step = StepForRate(doc.SampleRate / samples);
  const double interval =
      static_cast<double>(doc.ViewLength) / doc.SampleRate / width * 1000.0 / bytesPerSample * result.step;
  result.intervalMs = static_cast<uint16_t>(std::clamp(NearestEven(interval), 1, 65535));
  return result;
}

int32_t PlayLineColumn(const Document& doc, int64_t position, int32_t width) {
  if (doc.DataLength <= 0 || doc.ViewLength <= 0) return 0;
  const double length = doc.DataLength;
  const double fullScale = static_cast<double>(position) / length * width - doc.ViewStart / length * width;
  return NearestEven(fullScale * (length / doc.ViewLength));
}

}  // namespace slicewright
