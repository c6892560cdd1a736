#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "audio/MillisecondClock.h"
#include "audio/TimerThread.h"
#include "audio/UiThread.h"

namespace slicewright {

// A timer whose period is kept by a worker thread (TTimerThread) rather than
// by window-system timer events, so it can tick every few milliseconds at a
// steady rate. OnTimer always runs on the user-interface thread, one tick at
// a time, and only while the timer is enabled with a non-zero interval; no
// tick runs after the timer is destroyed. Properties are set from the
// user-interface thread.
class TThreadedTimer {
 public:
  // The clock is kept by reference and must outlive the timer, as must ui.
  TThreadedTimer(UiThread& ui, MillisecondClock& clock);
  ~TThreadedTimer();
  TThreadedTimer(const TThreadedTimer&) = delete;
  TThreadedTimer& operator=(const TThreadedTimer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  uint16_t Interval() const { return interval_; }
  void SetInterval(uint16_t interval);
  void SetOnTimer(std::function<void()> onTimer);

  // The last clock reading of the worker, and when its current period ends.
  uint32_t NowTime() const { return nowTime_; }
  uint32_t ThreadNextTime() const { return threadNextTime_; }
  void SetNowTime(uint32_t value) { nowTime_ = value; }
  void SetThreadNextTime(uint32_t value) { threadNextTime_ = value; }

  // Runs OnTimer if the timer should tick; the worker's call on the
  // user-interface thread.
  void DoTimer();

  static constexpr uint16_t kDefaultInterval = 1000;

 private:
  bool ShouldTick() const { return enabled_ && interval_ != 0 && static_cast<bool>(onTimer_); }
  void Update();

  bool enabled_ = true;
  uint16_t interval_ = kDefaultInterval;
  std::function<void()> onTimer_;
  std::atomic<uint32_t> nowTime_{0};
  std::atomic<uint32_t> threadNextTime_{0};
  // Last, so the worker ends before the fields it reads.
  std::unique_ptr<TTimerThread> worker_;
};

}  // namespace slicewright
