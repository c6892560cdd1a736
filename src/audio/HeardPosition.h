#pragma once

#include <atomic>
#include <cstdint>

namespace slicewright {

// What one audio callback rendered of a block: the samples consumed before
// and after it, and the stream time (seconds) at which the first frame it
// wrote reaches the listener.
struct RenderMark {
  uint64_t block = 0;
  uint64_t framesBefore = 0;
  uint64_t framesAfter = 0;
  double dacTime = 0.0;
};

// Samples of a block heard at stream time `now`, the block's samples
// running at `sampleRate` per second. Uses the callback's time stamps when
// they are plausible and otherwise subtracts the stream's output latency
// from what was rendered. Never more than was rendered, never negative.
uint64_t HeardFrames(const RenderMark& mark, double now, double sampleRate, double outputLatency);

// Hands the latest RenderMark from the audio callback (the only writer) to
// readers on other threads without ever making the writer wait.
class RenderMarkExchange {
 public:
  void Publish(const RenderMark& mark);
  RenderMark Latest() const;

 private:
  std::atomic<uint32_t> sequence_{0};
  std::atomic<uint64_t> block_{0};
  std::atomic<uint64_t> framesBefore_{0};
  std::atomic<uint64_t> framesAfter_{0};
  std::atomic<double> dacTime_{0.0};
};

}  // namespace slicewright
