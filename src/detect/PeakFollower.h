#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "detect/Real48.h"

namespace slicewright {

// One step of a peak follower: R48(gain * y + 0.5 * tracker), the value the
// extended-precision computation stores.
//
// The gain is K / 2^41 for a 40-bit K and a tracker of magnitude 0.5 or more
// is a multiple of 2^-40, so for trackers below 2^16 (the followers never
// leave +-33024) the sum is an integer number of 2^-41 units below 2^57: the
// extended sum is exact and the only rounding is the one to 40 significant
// bits, done here in integers. Other trackers (the halving toward zero in
// silence) take the extended path.
class PeakFollower {
 public:
  explicit PeakFollower(long double gain) : gain_(RoundToReal48(gain)), gainUnits_(std::llround(std::ldexp(gain_, 41))) {}

  double Step(int32_t y, double tracker) const {
    const double magnitude = std::fabs(tracker);
    if ((magnitude < 0.5 && tracker != 0.0) || magnitude >= 65536.0) {
      return RoundToReal48(static_cast<long double>(gain_) * y + 0.5L * static_cast<long double>(tracker));
    }
    const int64_t trackerUnits = static_cast<int64_t>(tracker * 0x1p41);  // exact, and even
    const int64_t sum = gainUnits_ * y + trackerUnits / 2;
    return static_cast<double>(RoundToSignificantBits(sum)) * 0x1p-41;
  }

 private:
  // Rounds to 40 significant bits, ties to even; branch-free, since the
  // scan calls it for a third of all samples in no predictable pattern.
  static int64_t RoundToSignificantBits(int64_t value) {
    const uint64_t sign = static_cast<uint64_t>(value >> 63);  // all ones when negative
    const uint64_t magnitude = (static_cast<uint64_t>(value) ^ sign) - sign;
    const int width = std::bit_width(magnitude);
    const int shift = width > 40 ? width - 40 : 0;
    const uint64_t halfLess = shift > 0 ? (uint64_t{1} << (shift - 1)) - 1 : 0;
    const uint64_t odd = shift > 0 ? (magnitude >> shift) & 1 : 0;
    const uint64_t rounded = ((magnitude + halfLess + odd) >> shift) << shift;
    return static_cast<int64_t>((rounded ^ sign) - sign);
  }

  double gain_;
  int64_t gainUnits_;
};

}  // namespace slicewright
