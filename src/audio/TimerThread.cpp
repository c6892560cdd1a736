#include "audio/TimerThread.h"

#include <chrono>

#include "audio/ThreadedTimer.h"

namespace slicewright {

TTimerThread::TTimerThread(TThreadedTimer& owner, UiThread& ui, MillisecondClock& clock)
    : owner_(owner), ui_(ui), clock_(clock), thread_([this] { Execute(); }) {}

TTimerThread::~TTimerThread() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->terminated = true;
    shared_->running = false;
  }
  spinAllowed_ = false;
  shared_->wake.notify_all();
  thread_.join();
}

void TTimerThread::Pause() {
  std::lock_guard lock(shared_->mutex);
  shared_->running = false;
  spinAllowed_ = false;
  shared_->wake.notify_all();
}

void TTimerThread::Resume() {
  std::lock_guard lock(shared_->mutex);
  shared_->running = true;
  spinAllowed_ = true;
  shared_->wake.notify_all();
}

void TTimerThread::Execute() {
  while (WaitUntilRunning()) {
    const uint16_t interval = interval_;
    if (interval > kBusyWaitMs && !SleepWhileRunning(interval - kBusyWaitMs)) continue;
    if (!Synchronize()) return;
    SpinToNextPeriod(interval);
  }
}

bool TTimerThread::WaitUntilRunning() {
  std::unique_lock lock(shared_->mutex);
  shared_->wake.wait(lock, [this] { return shared_->running || shared_->terminated; });
  return !shared_->terminated;
}

bool TTimerThread::SleepWhileRunning(uint32_t milliseconds) {
  std::unique_lock lock(shared_->mutex);
  const bool interrupted = shared_->wake.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] {
    return !shared_->running || shared_->terminated;
  });
  return !interrupted;
}

bool TTimerThread::Synchronize() {
  std::unique_lock lock(shared_->mutex);
  if (shared_->terminated) return false;
  shared_->tickDone = false;
  std::shared_ptr<Shared> shared = shared_;
  TThreadedTimer* owner = &owner_;
  ui_.Post([shared, owner] {
    {
      std::lock_guard callLock(shared->mutex);
      if (shared->terminated) return;
    }
    // Teardown happens on this same thread, so the owner is alive here.
    owner->DoTimer();
    std::lock_guard callLock(shared->mutex);
    shared->tickDone = true;
    shared->wake.notify_all();
  });
  shared_->wake.wait(lock, [this] { return shared_->tickDone || shared_->terminated; });
  return !shared_->terminated;
}

bool TTimerThread::KeepSpinning() {
  if (!spinAllowed_) return false;
  std::this_thread::yield();
  return true;
}

void TTimerThread::SpinToNextPeriod(uint16_t interval) {
  uint32_t now = clock_.NowMs();
  owner_.SetNowTime(now);
  while (now < owner_.ThreadNextTime() && KeepSpinning()) {
    now = clock_.NowMs();
    owner_.SetNowTime(now);
  }
  owner_.SetThreadNextTime(now + interval);
}

}  // namespace slicewright
