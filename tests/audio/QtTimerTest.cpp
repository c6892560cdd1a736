#include <QCoreApplication>
#include <QThread>
#include <QtTest>
#include <chrono>
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

  // Gives the worker time to queue a tick while the event loop is not run.
  static void BlockEventLoop() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

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

  void destroyingWhileATickIsQueuedNeitherHangsNorTicks() {
    QtUiThread ui;
    int ticks = 0;
    auto timer = std::make_unique<TThreadedTimer>(ui, clock_);
    timer->SetInterval(1);
    timer->SetOnTimer([&] { ++ticks; });
    BlockEventLoop();
    timer.reset();
    QTest::qWait(50);
    QCOMPARE(ticks, 0);
  }

  void callsQueuedForADestroyedPosterAreDiscarded() {
    int calls = 0;
    auto ui = std::make_unique<QtUiThread>();
    ui->Post([&] { ++calls; });
    ui.reset();
    QTest::qWait(50);
    QCOMPARE(calls, 0);
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
