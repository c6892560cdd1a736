#include "audio/ThreadedTimer.h"

#include <utility>

namespace slicewright {

TThreadedTimer::TThreadedTimer(UiThread& ui, MillisecondClock& clock)
    : worker_(std::make_unique<TTimerThread>(*this, ui, clock)) {
  worker_->SetInterval(interval_);
}

TThreadedTimer::~TThreadedTimer() {
  enabled_ = false;
  Update();
  worker_.reset();
}

void TThreadedTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void TThreadedTimer::SetInterval(uint16_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  worker_->SetInterval(interval);
  Update();
}

void TThreadedTimer::SetOnTimer(std::function<void()> onTimer) {
  onTimer_ = std::move(onTimer);
  Update();
}

void TThreadedTimer::DoTimer() {
  // A tick queued before the timer was disabled is dropped. The handler is
  // copied because it may replace itself.
  if (!ShouldTick()) return;
  const auto handler = onTimer_;
  handler();
}

void TThreadedTimer::Update() {
  worker_->Pause();
  if (ShouldTick()) worker_->Resume();
}

}  // namespace slicewright
