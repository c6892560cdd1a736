#include "audio/BlockCursor.h"

#include <cmath>

#include "document/Samples.h"

namespace slicewright {

BlockCursor::BlockCursor(const uint8_t* data, uint32_t length, bool loop, double ratio)
    : data_(data),
      frames_(length / 2),
      loop_(loop),
      active_(true),
      step_(static_cast<uint64_t>(std::llround(ratio * static_cast<double>(uint64_t{1} << kFractionBits)))) {
  if (step_ == 0) step_ = 1;
}

int32_t BlockCursor::SampleAt(uint64_t index) const { return DecodeSample(data_ + 2 * index); }

uint32_t BlockCursor::Render(int16_t* out, uint32_t count) {
  uint32_t written = 0;
  if (active_ && frames_ > 0) {
    const uint64_t end = End();
    const uint64_t mask = (uint64_t{1} << kFractionBits) - 1;
    while (written < count) {
      if (position_ >= end) {
        if (!loop_) break;
        position_ -= end;
      }
      const uint64_t index = position_ >> kFractionBits;
      const uint64_t fraction = position_ & mask;
      int32_t sample = SampleAt(index);
      if (fraction != 0) {
        // The sample after the last one is the first again in a loop.
        const uint64_t nextIndex = index + 1 < frames_ ? index + 1 : (loop_ ? 0 : index);
        const int64_t next = SampleAt(nextIndex);
        sample += static_cast<int32_t>(((next - sample) * static_cast<int64_t>(fraction)) >> kFractionBits);
      }
      out[written++] = static_cast<int16_t>(sample);
      position_ += step_;
      consumed_ += step_;
    }
  }
  for (uint32_t i = written; i < count; ++i) out[i] = 0;
  return written;
}

uint64_t BlockCursor::Consumed() const {
  const uint64_t whole = consumed_ >> kFractionBits;
  return loop_ || whole < frames_ ? whole : frames_;
}

}  // namespace slicewright
