#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "audio/MillisecondClock.h"
#include "audio/UiThread.h"

namespace slicewright {

class TThreadedTimer;

// The worker of TThreadedTimer. Each cycle sleeps all but the last 70 ms of
// the period, runs the tick on the user-interface thread and waits for it,
// then busy-waits on the clock for the rest of the period, so ticks keep a
// steady rate even at a few milliseconds. Paused and resumed through a
// condition variable; a paused worker wakes at once for resume or teardown.
class TTimerThread {
 public:
  // Starts paused.
  TTimerThread(TThreadedTimer& owner, UiThread& ui, MillisecondClock& clock);
  // Ends the worker; a tick still queued on the user-interface thread never runs.
  ~TTimerThread();
  TTimerThread(const TTimerThread&) = delete;
  TTimerThread& operator=(const TTimerThread&) = delete;

  void SetInterval(uint16_t interval) { interval_ = interval; }
  void Pause();
  void Resume();

  // Waits this long before the tick and busy-waits the rest of the period.
  static constexpr uint32_t kBusyWaitMs = 70;

 private:
  // State the queued tick calls share with the worker; they may outlive it.
  struct Shared {
    std::mutex mutex;
    std::condition_variable wake;
    bool running = false;
    bool terminated = false;
    bool tickDone = false;
  };

  void Execute();
  bool WaitUntilRunning();
  // False when paused or ended before the time was up.
  bool SleepWhileRunning(uint32_t milliseconds);
  // Runs the tick on the user-interface thread; false when ended meanwhile.
  bool Synchronize();
  void SpinToNextPeriod(uint16_t interval);
  bool KeepSpinning();

  TThreadedTimer& owner_;
  UiThread& ui_;
  MillisecondClock& clock_;
  std::atomic<uint16_t> interval_{0};
  std::atomic<bool> spinAllowed_{false};
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  std::thread thread_;
};

}  // namespace slicewright
