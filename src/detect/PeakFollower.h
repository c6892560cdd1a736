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
  explicit PeakFollower(long double gain)
      : gain_(RoundToReal48(gain)), gainUnits_(std::llround(std::ldexp(gain_, 41))) {}

  // Trackers held in units of 2^-41 are exact for 0 and magnitudes within
  // [0.5, 2^16): in that range every step is done in integers.
  static constexpr int64_t kUnitsLow = int64_t{1} << 40;   // 0.5
  static constexpr int64_t kUnitsHigh = int64_t{1} << 57;  // 2^16
  static bool FitsUnits(int64_t units) {
    const int64_t magnitude = units < 0 ? -units : units;
    return units == 0 || (magnitude >= kUnitsLow && magnitude < kUnitsHigh);
  }
  static bool FitsUnits(double tracker) {
    const double magnitude = std::fabs(tracker);
    return tracker == 0.0 || (magnitude >= 0.5 && magnitude < 65536.0);
  }

  // The gain in units of 2^-41.
  int64_t GainUnits() const { return gainUnits_; }

  // The step for a tracker in units (FitsUnits); the result is in units too.
  int64_t StepUnits(int32_t y, int64_t trackerUnits) const {
    return RoundToSignificantBits(gainUnits_ * y + trackerUnits / 2);  // trackerUnits is even
  }
  // The step as the extended computation does it, for any tracker.
  double StepExtended(int32_t y, double tracker) const {
    return RoundToReal48(static_cast<long double>(gain_) * y + 0.5L * static_cast<long double>(tracker));
  }
  double Step(int32_t y, double tracker) const {
    if (!FitsUnits(tracker)) return StepExtended(y, tracker);
    return static_cast<double>(StepUnits(y, static_cast<int64_t>(tracker * 0x1p41))) * 0x1p-41;
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

// One peak follower's tracker during a block: kept in integer units while it
// fits them, which is all but the halving toward zero in digital silence, so
// the comparisons and steps of the scan need no floating point.
class Tracker {
 public:
  explicit Tracker(double start) { Set(start); }

  bool Below(int32_t y) const { return inUnits_ ? units_ < int64_t{y} * kUnit : value_ < y; }
  bool Above(int32_t y) const { return inUnits_ ? units_ > int64_t{y} * kUnit : value_ > y; }

  void Step(int32_t y, const PeakFollower& follower) {
    if (inUnits_) {
      const int64_t next = follower.StepUnits(y, units_);
      if (PeakFollower::FitsUnits(next)) {
        units_ = next;
        return;
      }
      Set(static_cast<double>(next) * 0x1p-41);
      return;
    }
    Set(follower.StepExtended(y, value_));
  }

  double Value() const { return inUnits_ ? static_cast<double>(units_) * 0x1p-41 : value_; }

 private:
  static constexpr int64_t kUnit = int64_t{1} << 41;

  void Set(double value) {
    inUnits_ = PeakFollower::FitsUnits(value);
    value_ = value;
    units_ = inUnits_ ? static_cast<int64_t>(value * 0x1p41) : 0;
  }

  int64_t units_ = 0;
  double value_ = 0.0;
  bool inUnits_ = false;
};

}  // namespace slicewright
