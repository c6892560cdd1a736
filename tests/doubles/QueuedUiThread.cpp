#include "doubles/QueuedUiThread.h"

#include <utility>

namespace slicewright {

void QueuedUiThread::Post(std::function<void()> call) {
  std::lock_guard lock(mutex_);
  queue_.push_back(std::move(call));
}

int QueuedUiThread::RunPending() {
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(queue_);
  }
  for (auto& call : batch) call();
  return static_cast<int>(batch.size());
}

int QueuedUiThread::PendingCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(queue_.size());
}

}  // namespace slicewright
