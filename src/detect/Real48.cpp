#include "detect/Real48.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace slicewright {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the detector relies on x87 extended precision");

double RoundToReal48(long double x) {
  // x87 extended layout: 64-bit significand with explicit integer bit, then
  // sign and 15-bit biased exponent.
  uint64_t significand = 0;
  uint16_t signExponent = 0;
  std::memcpy(&significand, &x, sizeof significand);
  std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&x) + 8, sizeof signExponent);
  if (significand == 0) return 0.0;

  int exponent = (signExponent & 0x7FFF) - 16383;
  const bool negative = (signExponent & 0x8000) != 0;
  if (exponent < -140) return 0.0;  // far below the 6-byte range, denormals included

  constexpr uint64_t kHalf = uint64_t{1} << 23;
  const uint64_t dropped = significand & 0xFFFFFF;
  uint64_t kept = significand >> 24;
  if (dropped > kHalf || (dropped == kHalf && (kept & 1) != 0)) {
    ++kept;
    if (kept == uint64_t{1} << 40) {
      kept >>= 1;
      ++exponent;
    }
  }
  if (exponent < -128) return 0.0;
  const double magnitude = std::ldexp(static_cast<double>(kept), exponent - 39);
  return negative ? -magnitude : magnitude;
}

}  // namespace slicewright
