#include "document/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace slicewright {
namespace {

template <typename Integer, typename Real>
Integer RoundClamped(Real value) {
  constexpr auto kLow = static_cast<Real>(std::numeric_limits<Integer>::min());
  constexpr auto kHigh = static_cast<Real>(std::numeric_limits<Integer>::max());
  if (std::isnan(value)) return 0;
  // nearbyint follows the default rounding mode, which rounds halves to even.
  const Real rounded = std::nearbyint(value);
  if (rounded <= kLow) return std::numeric_limits<Integer>::min();
  if (rounded >= kHigh) return std::numeric_limits<Integer>::max();
  return static_cast<Integer>(rounded);
}

}  // namespace

int32_t RoundHalfEven(double value) { return RoundClamped<int32_t>(value); }

int64_t RoundHalfEven64(long double value) { return RoundClamped<int64_t>(value); }

}  // namespace slicewright
