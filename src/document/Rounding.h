#pragma once

#include <cstdint>

namespace slicewright {

// Round to nearest, halves to even, wherever the program rounds: pixels,
// window lengths, ticks, fades and percentages. Values beyond the result's
// range are clamped, and NaN gives 0.
int32_t RoundHalfEven(double value);
int64_t RoundHalfEven64(long double value);

}  // namespace slicewright
