#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace slicewright {

// Lowest and highest level of a stretch of 16-bit samples, where a sample's
// level is the sample div 256 (truncated toward zero, -128 .. 127).
struct LevelRange {
  int8_t low = 127;
  int8_t high = -128;

  bool Empty() const { return low > high; }
  void Include(const LevelRange& other);
};

// The lowest and highest level of every block of 2^k samples, from blocks of
// 64 up, so the range of any stretch is found from a few dozen values instead
// of every sample. Costs 1/32 of the sample data. Built when the audio is
// loaded or replaced, updated in place after an edit of a stretch.
class LevelSummary {
 public:
  // Summarises 16-bit little-endian samples (a trailing odd byte is ignored).
  void Build(std::span<const uint8_t> samples);
  // The bytes [first, first + count) changed in place; the data keeps its size.
  void Update(std::span<const uint8_t> samples, int64_t first, int64_t count);
  void Clear();

  // Whether the summary was built for this many samples.
  bool Covers(int64_t sampleCount) const { return built_ && sampleCount == sampleCount_; }
  // Levels of samples [first, last) of the data the summary was built from.
  LevelRange Range(std::span<const uint8_t> samples, int64_t first, int64_t last) const;
  int64_t MemoryBytes() const;

  static constexpr int64_t kBlockSamples = 64;

 private:
  LevelRange SummariseBlock(std::span<const uint8_t> samples, int64_t block) const;
  void BuildUpperLevels(int32_t fromLevel, int64_t firstNode, int64_t lastNode);

  bool built_ = false;
  int64_t sampleCount_ = 0;
  // levels_[k][i]: blocks i * 2^k .. (i + 1) * 2^k - 1 of kBlockSamples samples.
  std::vector<std::vector<LevelRange>> levels_;
};

// Levels of samples [first, last) read one by one.
LevelRange ScanLevels(std::span<const uint8_t> samples, int64_t first, int64_t last);

}  // namespace slicewright
