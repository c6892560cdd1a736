#pragma once

#include <functional>

namespace slicewright {

// Runs calls on the user-interface thread. Post may be called from any
// thread and returns at once; the call runs later, between other events.
// Calls still waiting when the implementation is destroyed never run.
class UiThread {
 public:
  virtual ~UiThread() = default;
  virtual void Post(std::function<void()> call) = 0;
};

}  // namespace slicewright
