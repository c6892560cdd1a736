#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

namespace slicewright {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the detector relies on x87 extended precision");

// The detector keeps its weights and running values in 6-byte reals: a 40-bit
// significand (rounded to nearest, ties to even) and nothing below 2^-128,
// which is stored as exactly 0. The underflow matters: in digital silence the
// peak followers halve toward zero and must reach exactly 0, or silence would
// trigger onsets. Every such value is exactly representable in a double,
// which is how it is returned. Inline: the scan calls it for most samples.
inline double RoundToReal48(long double x) {
  // x87 extended layout: 64-bit significand with explicit integer bit, then
  // sign and 15-bit biased exponent.
  uint64_t significand = 0;
  uint16_t signExponent = 0;
  std::memcpy(&significand, &x, sizeof significand);
  std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&x) + 8, sizeof signExponent);
  int exponent = (signExponent & 0x7FFF) - 16383;
  if (significand == 0 || exponent < -130) return 0.0;

  constexpr uint64_t kHalf = uint64_t{1} << 23;
  const uint64_t dropped = significand & 0xFFFFFF;
  uint64_t kept = significand >> 24;  // 40 bits, leading bit set
  if (dropped > kHalf || (dropped == kHalf && (kept & 1) != 0)) {
    ++kept;
    if (kept == uint64_t{1} << 40) {
      kept >>= 1;
      ++exponent;
    }
  }
  if (exponent < -128) return 0.0;
  const uint64_t sign = static_cast<uint64_t>(signExponent & 0x8000) << 48;
  const uint64_t bits =
      sign | static_cast<uint64_t>(exponent + 1023) << 52 | (kept & ((uint64_t{1} << 39) - 1)) << 13;
  return std::bit_cast<double>(bits);
}

}  // namespace slicewright
