#pragma once

#include <cstdint>
#include <span>

#include "document/Samples.h"

namespace slicewright {

// Read-only view of 16-bit little-endian samples addressed by byte offset.
// Samples outside the data read as silence, so no window or walk can read
// outside the stream.
class SampleView {
 public:
  SampleView(const uint8_t* bytes, int32_t length) : bytes_(bytes), length_(length) {}
  explicit SampleView(std::span<const uint8_t> bytes)
      : bytes_(bytes.data()), length_(static_cast<int32_t>(bytes.size())) {}

  int32_t Length() const { return length_; }
  int16_t At(int64_t byteOffset) const {
    if (byteOffset < 0 || byteOffset + 1 >= length_) return 0;
    return DecodeSample(bytes_ + byteOffset);
  }
  const uint8_t* Bytes() const { return bytes_; }

 private:
  const uint8_t* bytes_;
  int32_t length_;
};

// |s| as 16-bit arithmetic gives it: -32768 stays negative, so it never wins
// a comparison for the largest magnitude.
inline int16_t Magnitude16(int16_t s) { return static_cast<int16_t>(s < 0 ? -s : s); }

// Window lengths of the two refinements, in samples, scaled to the rate.
struct RefinementWindows {
  int32_t coarseWindow = 0;
  int32_t coarseStep = 0;
  int32_t fineWindow = 0;
};
RefinementWindows WindowsForRate(int32_t sampleRate);

// Moves a point back to the start of the quietest earlier stretch of the
// window before it (sampled every j-th sample).
int32_t CoarseRefine(const SampleView& data, int32_t position, const RefinementWindows& windows);
// Moves a point back to a near-silent sample pair just before the attack.
int32_t FineRefine(const SampleView& data, int32_t position, const RefinementWindows& windows);

// Walks a point to a local minimum of loudness, backward or forward, in
// growing steps while each new place is strictly quieter.
int32_t BackwardWalk(const SampleView& data, int32_t position);
int32_t ForwardWalk(const SampleView& data, int32_t position);
// One backward walk followed by one forward walk.
inline int32_t WalkPair(const SampleView& data, int32_t position) {
  return ForwardWalk(data, BackwardWalk(data, position));
}
// The walk pair applied `times` times. Each application depends only on the
// position, so once a position repeats the rest follows from the cycle.
int32_t RepeatWalkPair(const SampleView& data, int32_t position, int64_t times);

}  // namespace slicewright
