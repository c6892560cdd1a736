#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "TestWaves.h"
#include "detect/BlockRanges.h"
#include "detect/PeakFollower.h"
#include "detect/Real48.h"

namespace slicewright {
namespace {

// The follower step as written: extended arithmetic, then a 6-byte store.
double ExtendedStep(int32_t y, double tracker) {
  const long double gain = RoundToReal48(0.495L);
  return RoundToReal48(gain * y + 0.5L * static_cast<long double>(tracker));
}

TEST(PeakFollower, IntegerStepMatchesTheExtendedComputation) {
  const PeakFollower follower(0.495L);
  std::mt19937 rng(12);
  std::uniform_int_distribution<int32_t> sample(-32768, 32767);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  for (int i = 0; i < 200000; ++i) {
    // Trackers as the scan produces them: 6-byte values of every magnitude
    // from the block start (+-33024) down to fractions and the halving tail.
    const int scale = i % 40 - 20;
    const double tracker = RoundToReal48(std::ldexp(static_cast<long double>(unit(rng)), scale) * 33024.0L);
    const int32_t y = i % 7 == 0 ? 0 : sample(rng) >> (i % 15);
    ASSERT_EQ(follower.Step(y, tracker), ExtendedStep(y, tracker)) << "y " << y << " tracker " << tracker;
  }
}

TEST(PeakFollower, BoundaryTrackersAndHalvingTail) {
  const PeakFollower follower(0.495L);
  for (const double tracker : {0.0, 0.5, -0.5, 0.25, -0.25, 33024.0, -33024.0, 1.0, std::ldexp(1.0, -128)}) {
    for (const int32_t y : {-32768, -1, 0, 1, 2, 3, 32767}) {
      EXPECT_EQ(follower.Step(y, tracker), ExtendedStep(y, tracker)) << y << " " << tracker;
    }
  }
  double tracker = -33024.0;
  for (int i = 0; i < 200; ++i) {
    const double next = follower.Step(0, tracker);
    ASSERT_EQ(next, ExtendedStep(0, tracker));
    tracker = next;
  }
  EXPECT_EQ(tracker, 0.0);
}

}  // namespace
}  // namespace slicewright

namespace slicewright {
namespace {

// A tracker through silence (halving into the extended range and to zero)
// and back up into loud audio follows the extended computation exactly.
TEST(PeakFollower, TrackerMatchesTheExtendedComputationAcrossItsRanges) {
  const PeakFollower follower(0.495L);
  std::mt19937 rng(3);
  std::uniform_int_distribution<int32_t> loud(-32768, 32767);
  for (const double start : {-33024.0, 33024.0}) {
    Tracker tracker(start);
    double reference = start;
    for (int i = 0; i < 3000; ++i) {
      // Stretches of silence, of tiny values and of full-scale audio.
      const int phase = (i / 250) % 3;
      const int32_t y = phase == 0 ? 0 : phase == 1 ? loud(rng) % 3 : loud(rng);
      const bool moves = start < 0 ? tracker.Below(y) : tracker.Above(y);
      ASSERT_EQ(moves, start < 0 ? y > reference : y < reference) << i;
      if (moves) {
        tracker.Step(y, follower);
        reference = ExtendedStep(y, reference);
      }
      ASSERT_EQ(tracker.Value(), reference) << i;
    }
  }
}

}  // namespace
}  // namespace slicewright

namespace slicewright {
namespace {

// The vector lanes against the scalar reference, block for block, on audio
// that takes the trackers everywhere: loud and quiet noise, digital silence
// (trackers halve out of the integer units and the block is redone), full
// scale swings that wrap the filter, and short bursts.
TEST(BlockRanges, VectorLanesMatchTheScalarReference) {
  if (!BlockRangesVectorised()) GTEST_SKIP() << "no 64-bit vector arithmetic on this processor";
  std::mt19937 rng(5);
  std::vector<int16_t> samples;
  for (int stretch = 0; stretch < 400; ++stretch) {
    const int kind = stretch % 5;
    const int amplitude = kind == 0 ? 0 : kind == 1 ? 2 : kind == 2 ? 300 : 32767;
    std::uniform_int_distribution<int> value(-amplitude - (kind == 4 ? 1 : 0), amplitude);
    const size_t length = std::uniform_int_distribution<size_t>(50, 3000)(rng);
    for (size_t i = 0; i < length; ++i) {
      samples.push_back(static_cast<int16_t>(kind == 3 ? (i % 2 == 0 ? 32767 : -32768) : value(rng)));
    }
  }
  const std::vector<uint8_t> bytes = test::Pcm16(samples);
  const auto blocks = static_cast<int32_t>(bytes.size() / BlockBytes);
  EXPECT_EQ(BlockRanges(bytes.data(), blocks), BlockRangesScalar(bytes.data(), blocks));
}

}  // namespace
}  // namespace slicewright
