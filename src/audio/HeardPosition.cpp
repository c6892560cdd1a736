#include "audio/HeardPosition.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace slicewright {

namespace {
// Time stamps further than this from the reading are taken as bogus.
constexpr double kPlausibleSpan = 2.0;

uint64_t Clamp(double frames, uint64_t most) {
  if (!(frames > 0.0)) return 0;
  return std::min(most, static_cast<uint64_t>(frames));
}
}  // namespace

uint64_t HeardFrames(const RenderMark& mark, double now, double sampleRate, double outputLatency) {
  const bool stamped = mark.dacTime > 0.0 && now > 0.0 && std::abs(now - mark.dacTime) < kPlausibleSpan;
  if (stamped) {
    const double heard = static_cast<double>(mark.framesBefore) + (now - mark.dacTime) * sampleRate;
    return Clamp(heard, mark.framesAfter);
  }
  return Clamp(static_cast<double>(mark.framesAfter) - outputLatency * sampleRate, mark.framesAfter);
}

void RenderMarkExchange::Publish(const RenderMark& mark) {
  const uint32_t start = sequence_.load(std::memory_order_relaxed);
  sequence_.store(start + 1, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  block_.store(mark.block, std::memory_order_relaxed);
  framesBefore_.store(mark.framesBefore, std::memory_order_relaxed);
  framesAfter_.store(mark.framesAfter, std::memory_order_relaxed);
  dacTime_.store(mark.dacTime, std::memory_order_relaxed);
  sequence_.store(start + 2, std::memory_order_release);
}

RenderMark RenderMarkExchange::Latest() const {
  for (;;) {
    const uint32_t before = sequence_.load(std::memory_order_acquire);
    if (before % 2 != 0) {
      std::this_thread::yield();
      continue;
    }
    RenderMark mark;
    mark.block = block_.load(std::memory_order_relaxed);
    mark.framesBefore = framesBefore_.load(std::memory_order_relaxed);
    mark.framesAfter = framesAfter_.load(std::memory_order_relaxed);
    mark.dacTime = dacTime_.load(std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_acquire);
    if (sequence_.load(std::memory_order_relaxed) == before) return mark;
  }
}

}  // namespace slicewright
