#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include "audio/UiThread.h"

namespace slicewright {

// A user-interface thread for headless use: posted calls wait in a queue
// until the owning thread runs them with RunPending.
class QueuedUiThread : public UiThread {
 public:
  void Post(std::function<void()> call) override;

  // Runs the calls queued so far (not those they post themselves) and
  // returns how many ran.
  int RunPending();
  int PendingCount() const;

 private:
  mutable std::mutex mutex_;
  std::deque<std::function<void()>> queue_;
};

}  // namespace slicewright
