#pragma once

#include <cstdint>
#include <vector>

namespace slicewright {

// Samples in a scan block.
constexpr int32_t BlockSamples = 205;
constexpr int32_t BlockBytes = 2 * BlockSamples;

// The range of each of the first `blockCount` blocks of 16-bit samples after
// pre-emphasis, as the block's upper and lower peak followers leave it:
// R48(hiTrack - loTrack). Blocks are independent (the filter's memory is just
// the previous raw sample), so they are computed on every core, eight at a
// time in vector lanes where the processor has 64-bit vector arithmetic.
std::vector<double> BlockRanges(const uint8_t* data, int32_t blockCount);

// The same one block at a time with scalar arithmetic: the reference the
// vector lanes must match bit for bit, and the path for blocks whose
// trackers halve into digital silence.
std::vector<double> BlockRangesScalar(const uint8_t* data, int32_t blockCount);

// Whether BlockRanges uses vector lanes on this processor.
bool BlockRangesVectorised();

}  // namespace slicewright
