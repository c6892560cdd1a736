#pragma once

#include <cstdint>

namespace slicewright {

// Reads a block of 16-bit little-endian mono samples into an output stream,
// once or wrapped as a loop with no gap, optionally at another output rate
// (linear interpolation). Runs inside the audio callback: it never
// allocates, locks or blocks.
class BlockCursor {
 public:
  // An idle cursor renders silence.
  BlockCursor() = default;
  // A block of `length` bytes (a trailing odd byte is not played) whose
  // sample rate is `ratio` times the output rate.
  BlockCursor(const uint8_t* data, uint32_t length, bool loop, double ratio);

  // Fills `count` output frames, silence after the end of a non-looped
  // block. Returns the frames that carried the block.
  uint32_t Render(int16_t* out, uint32_t count);

  // Block samples consumed so far, counting on across loop repetitions.
  uint64_t Consumed() const;
  // A non-looped block has been rendered to its end (an empty block at once).
  bool Finished() const { return active_ && !loop_ && position_ >= End(); }
  bool Active() const { return active_; }

 private:
  static constexpr int kFractionBits = 32;
  int32_t SampleAt(uint64_t index) const;
  uint64_t End() const { return static_cast<uint64_t>(frames_) << kFractionBits; }

  const uint8_t* data_ = nullptr;
  uint32_t frames_ = 0;
  bool loop_ = false;
  bool active_ = false;
  // Fixed-point sample positions: 32 fraction bits.
  uint64_t step_ = 0;
  uint64_t position_ = 0;
  uint64_t consumed_ = 0;
};

}  // namespace slicewright
