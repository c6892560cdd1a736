#include "detect/Sensitivity.h"

#include "document/Rounding.h"

namespace slicewright {

int32_t ThresholdForSlider(int32_t position) { return SliderMax - position - 1; }

std::string SensitivityLabel(int32_t threshold) {
  const long double share = static_cast<long double>(SliderMax - threshold) / SliderMax * 100.0L;
  return std::to_string(RoundHalfEven64(share)) + "%";
}

int32_t SliderForPercent(double percent) {
  return static_cast<int32_t>(RoundHalfEven64(static_cast<long double>(percent) / 100.0L * SliderMax));
}

int32_t HandAddedPointStrength(int32_t threshold, bool addAtCurrentLength) {
  return addAtCurrentLength ? threshold + 10 : HandAddedStrength;
}

}  // namespace slicewright
