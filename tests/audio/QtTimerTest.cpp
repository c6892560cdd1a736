#include <QCoreApplication>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "audio/MillisecondClock.h"
#include "audio/ThreadedTimer.h"
#include "audio/gui/QtUiThread.h"

using namespace slicewright;

// The threaded timer on the Qt event loop: ticks reach the GUI thread, and
// tearing down never deadlocks against a tick waiting in the queue.
class QtTimerTest : public QObject {
  Q_OBJECT

 private:
  SteadyMillisecondClock clock_;

  // Counts the calls the timer's worker posts, so a test knows a tick is
  // queued without running the event loop.
  class CountingUiThread : public UiThread {
   public:
    void Post(std::function<void()> call) override {
      ++posted;
      inner.Post(std::move(call));
    }
    std::atomic<int> posted{0};
    QtUiThread inner;
  };

  static bool WaitForPost(const CountingUiThread& ui) {
    for (int i = 0; i < 30000 && ui.posted == 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return ui.posted > 0;
  }

 private slots:
  void ticksRunOnTheGuiThread() {
    QtUiThread ui;
    TThreadedTimer timer(ui, clock_);
    int ticks = 0;
    bool elsewhere = false;
    timer.SetInterval(5);
    timer.SetOnTimer([&] {
      ++ticks;
      elsewhere |= QThread::currentThread() != QCoreApplication::instance()->thread();
    });
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 5, 10000);
    QVERIFY(!elsewhere);
  }

  void aQueuedTickRunsWithTheEventsOrNotAtAllOnceTheTimerIsGone() {
    for (const bool destroy : {false, true}) {
      CountingUiThread ui;
      int ticks = 0;
      auto timer = std::make_unique<TThreadedTimer>(ui, clock_);
      timer->SetInterval(1);
      timer->SetOnTimer([&] { ++ticks; });
      QVERIFY(WaitForPost(ui));
      if (destroy) timer.reset();
      QCoreApplication::processEvents();
      QVERIFY(destroy ? ticks == 0 : ticks >= 1);
    }
  }

  void callsQueuedForADestroyedPosterAreDiscarded() {
    int calls = 0;
    QtUiThread alive;
    auto gone = std::make_unique<QtUiThread>();
    gone->Post([&] { calls += 10; });
    alive.Post([&] { calls += 1; });
    gone.reset();
    QCoreApplication::processEvents();
    QCOMPARE(calls, 1);
  }

  void posterDeliversInOrderFromAnyThread() {
    QtUiThread ui;
    std::vector<int> order;
    std::thread poster([&] {
      for (int i = 0; i < 3; ++i) ui.Post([&order, i] { order.push_back(i); });
    });
    poster.join();
    QTRY_COMPARE_WITH_TIMEOUT(order.size(), size_t{3}, 5000);
    QCOMPARE(order, (std::vector<int>{0, 1, 2}));
  }
};

QTEST_GUILESS_MAIN(QtTimerTest)
#include "QtTimerTest.moc"
