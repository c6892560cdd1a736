#pragma once

#include <atomic>
#include <thread>

namespace slicewright {

// A lock for state shared with the audio callback: the callback only ever
// tries it and never waits, the other side spins for the few microseconds
// a callback holds it.
class SpinLock {
 public:
  bool TryLock() { return !flag_.test_and_set(std::memory_order_acquire); }
  void Lock() {
    while (!TryLock()) std::this_thread::yield();
  }
  void Unlock() { flag_.clear(std::memory_order_release); }

 private:
  std::atomic_flag flag_ = ATOMIC_FLAG_INIT;
};

}  // namespace slicewright
