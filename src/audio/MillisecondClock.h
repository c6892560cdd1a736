#pragma once

#include <cstdint>

namespace slicewright {

// A monotonic millisecond clock that wraps around like a 32-bit counter.
class MillisecondClock {
 public:
  virtual ~MillisecondClock() = default;
  virtual uint32_t NowMs() = 0;
};

// The system's steady clock.
class SteadyMillisecondClock : public MillisecondClock {
 public:
  uint32_t NowMs() override;
};

}  // namespace slicewright
