#include <gtest/gtest.h>

#include <cmath>

#include "detect/Real48.h"

namespace slicewright {
namespace {

long double Pow2(int e) { return std::ldexp(1.0L, e); }

TEST(Real48, KeepsFortyBitValuesAndRoundsTiesToEven) {
  const long double base = Pow2(39);  // kept significand 2^39, last kept bit is 2^0
  EXPECT_EQ(RoundToReal48(base + 1.0L), static_cast<double>(base + 1.0L));
  EXPECT_EQ(RoundToReal48(base + 0.5L), static_cast<double>(base));         // tie, even stays
  EXPECT_EQ(RoundToReal48(base + 1.5L), static_cast<double>(base + 2.0L));  // tie, odd rounds up
  EXPECT_EQ(RoundToReal48(base + 0.5L + Pow2(-20)), static_cast<double>(base + 1.0L));
  EXPECT_EQ(RoundToReal48(base + 0.5L - Pow2(-20)), static_cast<double>(base));
}

TEST(Real48, NegativeValuesRoundLikeTheirMagnitude) {
  const long double base = Pow2(39);
  EXPECT_EQ(RoundToReal48(-(base + 0.5L)), -static_cast<double>(base));
  EXPECT_EQ(RoundToReal48(-(base + 1.5L)), -static_cast<double>(base + 2.0L));
  EXPECT_EQ(RoundToReal48(-0.75L), -0.75);
}

TEST(Real48, CarryIntoTheNextBinade) {
  // All 40 kept bits set plus a half: rounds up to the next power of two.
  const long double allOnes = Pow2(40) - 1.0L;
  EXPECT_EQ(RoundToReal48(allOnes + 0.5L), std::ldexp(1.0, 40));
}

TEST(Real48, MagnitudesBelowTwoToMinus128BecomeZero) {
  EXPECT_EQ(RoundToReal48(Pow2(-128)), std::ldexp(1.0, -128));
  EXPECT_EQ(RoundToReal48(-Pow2(-128)), -std::ldexp(1.0, -128));
  EXPECT_EQ(RoundToReal48(Pow2(-129)), 0.0);
  EXPECT_EQ(RoundToReal48(-Pow2(-129)), 0.0);
  // Just below 2^-128 but rounding up to it at 40 bits: stays.
  EXPECT_EQ(RoundToReal48(Pow2(-128) * (1.0L - Pow2(-41))), std::ldexp(1.0, -128));
  // Largest 40-bit value below 2^-128: too small.
  EXPECT_EQ(RoundToReal48(Pow2(-128) * (1.0L - Pow2(-40))), 0.0);
  EXPECT_EQ(RoundToReal48(0.0L), 0.0);
  EXPECT_EQ(RoundToReal48(Pow2(-16000)), 0.0);
}

TEST(Real48, WeightsAreCloseToButNotExactlyTheirDecimals) {
  const double w = RoundToReal48(0.63L);
  EXPECT_NE(w, 0.63);
  EXPECT_LT(std::fabs(w - 0.63), std::ldexp(1.0, -40));
  EXPECT_EQ(RoundToReal48(0.5L), 0.5);
}

TEST(Real48, AHalvingFollowerReachesExactZeroInSilence) {
  // The peak follower update with a zero input halves the value every sample.
  const long double gain = RoundToReal48(0.495L);
  double tracker = -33024.0;
  int samples = 0;
  while (tracker != 0.0 && samples < 1000) {
    tracker = RoundToReal48(gain * 0 + 0.5L * tracker);
    ++samples;
  }
  EXPECT_EQ(tracker, 0.0);
  EXPECT_GE(samples, 140);
  EXPECT_LE(samples, 150);
}

}  // namespace
}  // namespace slicewright
