#include "document/LevelSummary.h"

#include <algorithm>
#include <cstring>

#include "detect/ParallelFor.h"
#include "document/Samples.h"

namespace slicewright {
namespace {

int8_t LevelOf(int16_t sample) { return static_cast<int8_t>(sample / 256); }

int16_t SampleAt(std::span<const uint8_t> samples, int64_t index) {
  return DecodeSample(&samples[2 * index]);
}

// Levels of samples [first, last) from their extremes: div 256 keeps the
// order, so the lowest level is that of the lowest sample.
LevelRange BlockLevels(std::span<const uint8_t> samples, int64_t first, int64_t last) {
  if (first >= last) return {};
  int16_t low = INT16_MAX;
  int16_t high = INT16_MIN;
  for (int64_t i = first; i < last; ++i) {
    const int16_t s = SampleAt(samples, i);
    low = std::min(low, s);
    high = std::max(high, s);
  }
  return {LevelOf(low), LevelOf(high)};
}

// The same for one whole block, in a form the compiler turns into vector code.
LevelRange WholeBlockLevels(const uint8_t* bytes) {
  int16_t block[LevelSummary::kBlockSamples];
  std::memcpy(block, bytes, sizeof block);
  int16_t low = INT16_MAX;
  int16_t high = INT16_MIN;
  for (const int16_t s : block) {
    low = std::min(low, s);
    high = std::max(high, s);
  }
  return {LevelOf(low), LevelOf(high)};
}

LevelRange Combine(LevelRange a, const LevelRange& b) {
  a.Include(b);
  return a;
}

}  // namespace

void LevelRange::Include(const LevelRange& other) {
  low = std::min(low, other.low);
  high = std::max(high, other.high);
}

LevelRange ScanLevels(std::span<const uint8_t> samples, int64_t first, int64_t last) {
  return BlockLevels(samples, first, last);
}

LevelRange LevelSummary::SummariseBlock(std::span<const uint8_t> samples, int64_t block) const {
  const int64_t first = block * kBlockSamples;
  const int64_t last = first + kBlockSamples;
  if (last <= sampleCount_) return WholeBlockLevels(samples.data() + 2 * first);
  return BlockLevels(samples, first, sampleCount_);
}

void LevelSummary::Clear() {
  built_ = false;
  sampleCount_ = 0;
  levels_.clear();
}

void LevelSummary::Build(std::span<const uint8_t> samples) {
  sampleCount_ = static_cast<int64_t>(samples.size() / 2);
  const int64_t blocks = (sampleCount_ + kBlockSamples - 1) / kBlockSamples;
  levels_.assign(1, std::vector<LevelRange>(static_cast<size_t>(blocks)));
  std::vector<LevelRange>& base = levels_[0];
  // Long files are summarised on every core; each block is independent.
  ParallelFor(blocks, 1 << 16, [&](int64_t firstBlock, int64_t lastBlock) {
    for (int64_t b = firstBlock; b < lastBlock; ++b)
      base[static_cast<size_t>(b)] = SummariseBlock(samples, b);
  });
  for (int64_t nodes = blocks; nodes > 1; nodes = (nodes + 1) / 2) {
    levels_.emplace_back(static_cast<size_t>((nodes + 1) / 2));
  }
  BuildUpperLevels(1, 0, blocks);
  built_ = true;
}

// Recomputes the nodes above base blocks [firstNode, lastNode).
void LevelSummary::BuildUpperLevels(int32_t fromLevel, int64_t firstNode, int64_t lastNode) {
  for (size_t k = static_cast<size_t>(fromLevel); k < levels_.size(); ++k) {
    firstNode /= 2;
    lastNode = (lastNode + 1) / 2;
    const std::vector<LevelRange>& below = levels_[k - 1];
    std::vector<LevelRange>& level = levels_[k];
    for (int64_t i = firstNode; i < lastNode; ++i) {
      const auto left = static_cast<size_t>(2 * i);
      level[static_cast<size_t>(i)] =
          left + 1 < below.size() ? Combine(below[left], below[left + 1]) : below[left];
    }
  }
}

void LevelSummary::Update(std::span<const uint8_t> samples, int64_t first, int64_t count) {
  if (!built_ || count <= 0) return;
  const int64_t firstBlock = std::max<int64_t>(first / 2, 0) / kBlockSamples;
  const int64_t lastBlock =
      std::min<int64_t>((first + count + 1) / 2 + kBlockSamples - 1, sampleCount_ + kBlockSamples - 1) /
      kBlockSamples;
  std::vector<LevelRange>& base = levels_[0];
  for (int64_t b = firstBlock; b < lastBlock; ++b) base[static_cast<size_t>(b)] = SummariseBlock(samples, b);
  BuildUpperLevels(1, firstBlock, lastBlock);
}

LevelRange LevelSummary::Range(std::span<const uint8_t> samples, int64_t first, int64_t last) const {
  first = std::max<int64_t>(first, 0);
  last = std::min(last, sampleCount_);
  if (last - first < 2 * kBlockSamples) return BlockLevels(samples, first, last);
  // Partial blocks at either end are read; the whole blocks between come
  // from the largest nodes that fit, two at most on each level.
  int64_t a = (first + kBlockSamples - 1) / kBlockSamples;
  int64_t b = last / kBlockSamples;
  LevelRange range =
      Combine(BlockLevels(samples, first, a * kBlockSamples), BlockLevels(samples, b * kBlockSamples, last));
  for (const std::vector<LevelRange>& level : levels_) {
    if (a >= b) break;
    if (a % 2 == 1) range.Include(level[static_cast<size_t>(a++)]);
    if (b % 2 == 1) range.Include(level[static_cast<size_t>(--b)]);
    a /= 2;
    b /= 2;
  }
  return range;
}

int64_t LevelSummary::MemoryBytes() const {
  int64_t bytes = 0;
  for (const auto& level : levels_) bytes += static_cast<int64_t>(level.size() * sizeof(LevelRange));
  return bytes;
}

}  // namespace slicewright
