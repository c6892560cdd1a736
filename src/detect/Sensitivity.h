#pragma once

#include <cstdint>
#include <string>

namespace slicewright {

// The sensitivity slider runs from 0 to SliderMax; the left end selects nothing.
constexpr int32_t SliderMax = 65536;
// Strength of a point added by hand without "Add At Current Length".
constexpr int32_t HandAddedStrength = 32768;

int32_t ThresholdForSlider(int32_t position);
// "0%" .. "100%": the share of the slider's range below the threshold.
std::string SensitivityLabel(int32_t threshold);
// Slider position for a percentage, as the command-line tool takes it.
int32_t SliderForPercent(double percent);
int32_t HandAddedPointStrength(int32_t threshold, bool addAtCurrentLength);

}  // namespace slicewright
