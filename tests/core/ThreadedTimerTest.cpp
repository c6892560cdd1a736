#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "audio/ThreadedTimer.h"
#include "doubles/QueuedUiThread.h"

namespace slicewright {
namespace {

// Advances one millisecond per reading, so the worker's busy wait ends
// after a known number of readings whatever the machine's speed.
class SteppingClock : public MillisecondClock {
 public:
  uint32_t NowMs() override { return ++now_; }

 private:
  std::atomic<uint32_t> now_{1000};
};

class ThreadedTimerTest : public ::testing::Test {
 protected:
  // Runs posted calls until `done` holds; gives up after a long while so a
  // fault fails the test instead of hanging it.
  bool PumpUntil(const std::function<bool()>& done) {
    for (int round = 0; round < 20000; ++round) {
      ui.RunPending();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  // Waits, without running anything, until the worker has queued a tick.
  bool WaitForQueuedTick() {
    for (int round = 0; round < 20000; ++round) {
      if (ui.PendingCount() == 1) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  // Runs the queue until a sibling timer on it has ticked twice: time enough
  // for any timer to tick, so one that stays silent meanwhile does so for a
  // reason, and any tick it queued would have run.
  bool PumpWhileASiblingTicks() {
    int siblingTicks = 0;
    TThreadedTimer sibling(ui, clock);
    sibling.SetInterval(1);
    sibling.SetOnTimer([&] { ++siblingTicks; });
    return PumpUntil([&] { return siblingTicks >= 2; });
  }

  QueuedUiThread ui;
  SteppingClock clock;
};

TEST_F(ThreadedTimerTest, TicksOnTheUiThreadOneIntervalApart) {
  TThreadedTimer timer(ui, clock);
  std::vector<uint32_t> tickTimes;
  std::vector<std::thread::id> tickThreads;
  timer.SetInterval(5);
  timer.SetOnTimer([&] {
    tickTimes.push_back(timer.NowTime());
    tickThreads.push_back(std::this_thread::get_id());
  });
  ASSERT_TRUE(PumpUntil([&] { return tickTimes.size() >= 6; }));
  timer.SetEnabled(false);
  // From the third tick on, each follows a full busy-waited period.
  for (size_t k = 3; k < tickTimes.size(); ++k) EXPECT_EQ(tickTimes[k] - tickTimes[k - 1], 5u) << k;
  for (const auto& id : tickThreads) EXPECT_EQ(id, std::this_thread::get_id());
  EXPECT_EQ(timer.ThreadNextTime() - timer.NowTime(), 5u);
}

TEST_F(ThreadedTimerTest, NoTickWithoutIntervalHandlerOrEnabled) {
  int ticks = 0;
  TThreadedTimer zeroInterval(ui, clock);
  zeroInterval.SetInterval(0);
  zeroInterval.SetOnTimer([&] { ++ticks; });
  TThreadedTimer disabled(ui, clock);
  disabled.SetEnabled(false);
  disabled.SetInterval(1);
  disabled.SetOnTimer([&] { ++ticks; });
  TThreadedTimer noHandler(ui, clock);
  noHandler.SetInterval(1);
  ASSERT_TRUE(PumpWhileASiblingTicks());
  EXPECT_EQ(ticks, 0);
}

TEST_F(ThreadedTimerTest, DisablingDropsAQueuedTickAndEnablingResumes) {
  TThreadedTimer timer(ui, clock);
  int ticks = 0;
  timer.SetInterval(2);
  timer.SetOnTimer([&] { ++ticks; });
  ASSERT_TRUE(WaitForQueuedTick());
  timer.SetEnabled(false);
  ui.RunPending();
  EXPECT_EQ(ticks, 0);
  ASSERT_TRUE(PumpWhileASiblingTicks());
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
}

TEST_F(ThreadedTimerTest, NoTickRunsAfterDestruction) {
  int ticks = 0;
  auto timer = std::make_unique<TThreadedTimer>(ui, clock);
  timer->SetInterval(1);
  timer->SetOnTimer([&] { ++ticks; });
  ASSERT_TRUE(WaitForQueuedTick());
  // The worker waits for the queued tick; destruction must not wait for it.
  timer.reset();
  EXPECT_EQ(ui.RunPending(), 1);
  EXPECT_EQ(ticks, 0);
}

TEST_F(ThreadedTimerTest, HandlerMayStopTheTimerAndTicksNeverOverlap) {
  TThreadedTimer timer(ui, clock);
  int ticks = 0;
  bool inTick = false;
  bool overlapped = false;
  timer.SetInterval(1);
  timer.SetOnTimer([&] {
    overlapped |= inTick;
    inTick = true;
    if (++ticks == 3) timer.SetEnabled(false);
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    inTick = false;
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks == 3; }));
  ASSERT_TRUE(PumpWhileASiblingTicks());
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(overlapped);
}

TEST_F(ThreadedTimerTest, PropertiesFollowTheirSetters) {
  TThreadedTimer timer(ui, clock);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), TThreadedTimer::kDefaultInterval);
  timer.SetInterval(9);
  timer.SetEnabled(false);
  EXPECT_EQ(timer.Interval(), 9);
  EXPECT_FALSE(timer.Enabled());
}

}  // namespace
}  // namespace slicewright
