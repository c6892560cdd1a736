#include "audio/PlayLineMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "view/PixelMapping.h"

namespace slicewright {

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
  result.intervalMs = static_cast<uint16_t>(std::clamp(RoundHalfEven(interval), 1, 65535));
  return result;
}

int32_t PlayLineColumn(const Document& doc, int64_t position, int32_t width) {
  if (doc.DataLength <= 0 || doc.ViewLength <= 0) return 0;
  const double length = doc.DataLength;
  const double fullScale = static_cast<double>(position) / length * width - doc.ViewStart / length * width;
  return RoundHalfEven(fullScale * (length / doc.ViewLength));
}

}  // namespace slicewright
