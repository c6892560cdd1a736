#include "audio/MillisecondClock.h"

#include <chrono>

namespace slicewright {

uint32_t SteadyMillisecondClock::NowMs() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

}  // namespace slicewright
