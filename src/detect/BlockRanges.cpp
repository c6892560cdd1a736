#include "detect/BlockRanges.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>

#include "detect/DetectorWeights.h"
#include "detect/ParallelFor.h"
#include "detect/PeakFollower.h"
#include "detect/Real48.h"
#include "document/Samples.h"

namespace slicewright {
namespace {

// The tracker start values, in units of 2^-41.
constexpr int64_t kTrackerStart = int64_t{33024} << 41;

// The pre-emphasis weight is an exact binary fraction M / 2^40, so the filter
// output s - w * prev is computed exactly in integers and rounded half to even.
struct PreEmphasis {
  int64_t numerator = std::llround(std::ldexp(static_cast<double>(DetectorWeights().preEmphasis), 40));

  int16_t operator()(int32_t s, int32_t prev) const {
    const int64_t scaled = int64_t{s} * (int64_t{1} << 40) - numerator * prev;  // exact
    // Round half to even without a branch: the parity of the floor decides ties.
    constexpr int64_t kHalfLess = (int64_t{1} << 39) - 1;
    const int64_t whole = (scaled + kHalfLess + ((scaled >> 40) & 1)) >> 40;
    return static_cast<int16_t>(static_cast<uint16_t>(whole));  // wraps, as the stored 16-bit value does
  }
};

double BlockRange(const uint8_t* block, int16_t prev, const PreEmphasis& filter,
                  const PeakFollower& follower) {
  Tracker hi(-33024.0);
  Tracker lo(33024.0);
  int32_t previous = prev;
  for (int32_t i = 0; i < BlockSamples; ++i) {
    const int32_t s = DecodeSample(block + 2 * i);
    const int32_t y = filter(s, previous);
    previous = s;
    if (hi.Below(y)) hi.Step(y, follower);
    if (lo.Above(y)) lo.Step(y, follower);
  }
  return RoundToReal48(static_cast<long double>(hi.Value()) - static_cast<long double>(lo.Value()));
}

double RangeOfBlock(const uint8_t* data, int64_t b, const PreEmphasis& filter, const PeakFollower& follower) {
  const uint8_t* block = data + b * BlockBytes;
  return BlockRange(block, b == 0 ? int16_t{0} : DecodeSample(block - 2), filter, follower);
}

// Eight blocks side by side in 64-bit lanes. The trackers stay in integer
// units (PeakFollower::StepUnits) in every lane; a lane whose tracker leaves
// the units range, which happens only when it halves toward zero in digital
// silence, is reported so the block is done again in scalar arithmetic.
constexpr int kLanes = 8;
// GCC 12's AVX-512 headers build an undefined vector from itself, which
// -Wuninitialized reports wherever their masked operations are inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#define SLICEWRIGHT_VECTOR_TARGET __attribute__((target("avx512f,avx512dq,avx512cd,avx512vl")))

SLICEWRIGHT_VECTOR_TARGET inline __m512i RoundToFortyBits(__m512i value) {
  const __m512i zero = _mm512_setzero_si512();
  const __m512i one = _mm512_set1_epi64(1);
  const __mmask8 negative = _mm512_cmplt_epi64_mask(value, zero);
  const __m512i magnitude = _mm512_abs_epi64(value);
  const __m512i width = _mm512_sub_epi64(_mm512_set1_epi64(64), _mm512_lzcnt_epi64(magnitude));
  const __m512i shift = _mm512_max_epi64(_mm512_sub_epi64(width, _mm512_set1_epi64(40)), zero);
  const __mmask8 rounds = _mm512_cmpgt_epi64_mask(shift, zero);
  const __m512i halfLess =
      _mm512_maskz_sub_epi64(rounds, _mm512_srli_epi64(_mm512_sllv_epi64(one, shift), 1), one);
  const __m512i odd = _mm512_maskz_and_epi64(rounds, _mm512_srlv_epi64(magnitude, shift), one);
  const __m512i rounded = _mm512_sllv_epi64(
      _mm512_srlv_epi64(_mm512_add_epi64(_mm512_add_epi64(magnitude, halfLess), odd), shift), shift);
  return _mm512_mask_sub_epi64(rounded, negative, zero, rounded);
}

// Lanes whose tracker is neither 0 nor of a magnitude in [0.5, 2^16).
SLICEWRIGHT_VECTOR_TARGET inline __mmask8 OutsideUnits(__m512i units) {
  const __m512i magnitude = _mm512_abs_epi64(units);
  const __mmask8 zero = _mm512_cmpeq_epi64_mask(units, _mm512_setzero_si512());
  const __mmask8 inside = _mm512_cmpge_epi64_mask(magnitude, _mm512_set1_epi64(PeakFollower::kUnitsLow)) &
                          _mm512_cmplt_epi64_mask(magnitude, _mm512_set1_epi64(PeakFollower::kUnitsHigh));
  return static_cast<__mmask8>(~(zero | inside));
}

// The pre-emphasis filter in each lane: round half to even of
// (s * 2^40 - M * prev) / 2^40, kept to 16 bits with wrap-around.
SLICEWRIGHT_VECTOR_TARGET inline __m512i FilterLanes(__m512i s, __m512i prev, __m512i numerator) {
  const __m512i scaled = _mm512_sub_epi64(_mm512_slli_epi64(s, 40), _mm512_mullo_epi64(numerator, prev));
  const __m512i parity = _mm512_and_si512(_mm512_srai_epi64(scaled, 40), _mm512_set1_epi64(1));
  const __m512i whole = _mm512_srai_epi64(
      _mm512_add_epi64(_mm512_add_epi64(scaled, _mm512_set1_epi64((int64_t{1} << 39) - 1)), parity), 40);
  return _mm512_srai_epi64(_mm512_slli_epi64(whole, 48), 48);
}

// Transposes eight rows of eight 16-bit samples: column j holds sample j of
// every row.
SLICEWRIGHT_VECTOR_TARGET inline void Transpose8x8(const __m128i (&rows)[8], __m128i (&columns)[8]) {
  __m128i pairs[8];
  for (int r = 0; r < 8; r += 2) {
    pairs[r] = _mm_unpacklo_epi16(rows[r], rows[r + 1]);
    pairs[r + 1] = _mm_unpackhi_epi16(rows[r], rows[r + 1]);
  }
  const __m128i quads[8] = {_mm_unpacklo_epi32(pairs[0], pairs[2]), _mm_unpackhi_epi32(pairs[0], pairs[2]),
                            _mm_unpacklo_epi32(pairs[1], pairs[3]), _mm_unpackhi_epi32(pairs[1], pairs[3]),
                            _mm_unpacklo_epi32(pairs[4], pairs[6]), _mm_unpackhi_epi32(pairs[4], pairs[6]),
                            _mm_unpacklo_epi32(pairs[5], pairs[7]), _mm_unpackhi_epi32(pairs[5], pairs[7])};
  for (int q = 0; q < 4; ++q) {
    columns[2 * q] = _mm_unpacklo_epi64(quads[q], quads[q + 4]);
    columns[2 * q + 1] = _mm_unpackhi_epi64(quads[q], quads[q + 4]);
  }
}

// Ranges of kGroups * 8 blocks from `first` into out, for blocks after the
// first (each reads the sample before it); returns the blocks to redo, a bit
// each. The groups run side by side so the long chain of each tracker step
// overlaps with the others'.
constexpr int kGroups = 4;
constexpr int kGroupBlocks = kGroups * kLanes;

SLICEWRIGHT_VECTOR_TARGET uint32_t BlockGroupRanges(const uint8_t* data, int64_t first,
                                                    const PreEmphasis& filter, int64_t gainUnits,
                                                    double* out) {
  const uint8_t* blocks[kGroupBlocks];
  alignas(64) int64_t before[kGroupBlocks];
  for (int b = 0; b < kGroupBlocks; ++b) {
    blocks[b] = data + (first + b) * BlockBytes;
    before[b] = DecodeSample(blocks[b] - 2);
  }
  const __m512i numerator = _mm512_set1_epi64(filter.numerator);
  const __m512i gain = _mm512_set1_epi64(gainUnits);
  __m512i previous[kGroups];
  __m512i hi[kGroups];
  __m512i lo[kGroups];
  __mmask8 redo[kGroups];
  for (int g = 0; g < kGroups; ++g) {
    previous[g] = _mm512_load_si512(before + g * kLanes);
    hi[g] = _mm512_set1_epi64(-kTrackerStart);
    lo[g] = _mm512_set1_epi64(kTrackerStart);
    redo[g] = 0;
  }
  const auto step = [&](int g, __m128i samples) SLICEWRIGHT_VECTOR_TARGET {
    const __m512i s = _mm512_cvtepi16_epi64(samples);
    const __m512i value = FilterLanes(s, previous[g], numerator);
    previous[g] = s;
    const __m512i scaled = _mm512_slli_epi64(value, 41);
    const __m512i product = _mm512_mullo_epi64(gain, value);
    // Trackers are even in units, so halving them is exact.
    const __mmask8 raise = _mm512_cmplt_epi64_mask(hi[g], scaled);
    hi[g] = _mm512_mask_mov_epi64(hi[g], raise,
                                  RoundToFortyBits(_mm512_add_epi64(product, _mm512_srai_epi64(hi[g], 1))));
    const __mmask8 lower = _mm512_cmpgt_epi64_mask(lo[g], scaled);
    lo[g] = _mm512_mask_mov_epi64(lo[g], lower,
                                  RoundToFortyBits(_mm512_add_epi64(product, _mm512_srai_epi64(lo[g], 1))));
    redo[g] = static_cast<__mmask8>(redo[g] | OutsideUnits(hi[g]) | OutsideUnits(lo[g]));
  };
  // Eight samples of every block at a time, turned so each vector holds one
  // sample of eight blocks; the last few samples one by one.
  constexpr int32_t kWhole = BlockSamples / 8 * 8;
  for (int32_t i = 0; i < kWhole; i += 8) {
    __m128i columns[kGroups][kLanes];
    for (int g = 0; g < kGroups; ++g) {
      __m128i rows[kLanes];
      for (int lane = 0; lane < kLanes; ++lane) {
        rows[lane] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(blocks[g * kLanes + lane] + 2 * i));
      }
      Transpose8x8(rows, columns[g]);
    }
    for (int j = 0; j < kLanes; ++j) {
      for (int g = 0; g < kGroups; ++g) step(g, columns[g][j]);
    }
  }
  for (int32_t i = kWhole; i < BlockSamples; ++i) {
    for (int g = 0; g < kGroups; ++g) {
      alignas(16) int16_t column[kLanes];
      for (int lane = 0; lane < kLanes; ++lane)
        column[lane] = DecodeSample(blocks[g * kLanes + lane] + 2 * i);
      step(g, _mm_load_si128(reinterpret_cast<const __m128i*>(column)));
    }
  }
  uint32_t redoBlocks = 0;
  for (int g = 0; g < kGroups; ++g) {
    alignas(64) int64_t his[kLanes];
    alignas(64) int64_t los[kLanes];
    _mm512_store_si512(his, hi[g]);
    _mm512_store_si512(los, lo[g]);
    for (int lane = 0; lane < kLanes; ++lane) {
      const long double upper = static_cast<long double>(static_cast<double>(his[lane]) * 0x1p-41);
      const long double lower = static_cast<long double>(static_cast<double>(los[lane]) * 0x1p-41);
      out[g * kLanes + lane] = RoundToReal48(upper - lower);
    }
    redoBlocks |= static_cast<uint32_t>(redo[g]) << (g * kLanes);
  }
  return redoBlocks;
}

#pragma GCC diagnostic pop

bool CpuHasVectorUnits() {
  static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
                          __builtin_cpu_supports("avx512cd") && __builtin_cpu_supports("avx512vl");
  return has;
}

}  // namespace

bool BlockRangesVectorised() { return CpuHasVectorUnits(); }

std::vector<double> BlockRangesScalar(const uint8_t* data, int32_t blockCount) {
  std::vector<double> ranges(static_cast<size_t>(std::max(blockCount, 0)));
  const PreEmphasis filter;
  const PeakFollower follower(DetectorWeights().trackerGain);
  ParallelFor(blockCount, 4096, [&](int64_t first, int64_t last) {
    for (int64_t b = first; b < last; ++b)
      ranges[static_cast<size_t>(b)] = RangeOfBlock(data, b, filter, follower);
  });
  return ranges;
}

std::vector<double> BlockRanges(const uint8_t* data, int32_t blockCount) {
  if (!CpuHasVectorUnits()) return BlockRangesScalar(data, blockCount);
  std::vector<double> ranges(static_cast<size_t>(std::max(blockCount, 0)));
  const PreEmphasis filter;
  const PeakFollower follower(DetectorWeights().trackerGain);
  const auto scalar = [&](int64_t b) {
    ranges[static_cast<size_t>(b)] = RangeOfBlock(data, b, filter, follower);
  };
  // Block 0 has no sample before it, so the first group is done one block at
  // a time, as are the blocks after the last whole group.
  const int64_t groups = blockCount / kGroupBlocks;
  for (int64_t b = 0; b < std::min<int64_t>(kGroupBlocks, blockCount); ++b) scalar(b);
  for (int64_t b = groups * kGroupBlocks; b < blockCount; ++b) scalar(b);
  ParallelFor(groups, 128, [&](int64_t firstGroup, int64_t lastGroup) {
    for (int64_t g = std::max<int64_t>(firstGroup, 1); g < lastGroup; ++g) {
      const int64_t first = g * kGroupBlocks;
      const uint32_t redo =
          BlockGroupRanges(data, first, filter, follower.GainUnits(), &ranges[static_cast<size_t>(first)]);
      for (int b = 0; b < kGroupBlocks; ++b) {
        if (redo & (uint32_t{1} << b)) scalar(first + b);
      }
    }
  });
  return ranges;
}

}  // namespace slicewright
