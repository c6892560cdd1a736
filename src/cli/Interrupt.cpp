#include "cli/Interrupt.h"

#include <signal.h>

#include <atomic>
#include <csignal>

#include "export/FileSave.h"

namespace slicewright::cli {
namespace {

static_assert(std::atomic<int>::is_always_lock_free, "signal handlers need lock-free atomics");

std::atomic<bool> g_graceful{false};
std::atomic<int> g_stopSignal{0};

void EndBySignal(int signalNumber) {
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

void OnSignal(int signalNumber) {
  int none = 0;
  if (g_graceful.load() && g_stopSignal.compare_exchange_strong(none, signalNumber)) return;
  // An interrupted save leaves no temporary file behind.
  RemovePendingTemporaryFiles();
  EndBySignal(signalNumber);
}

}  // namespace

void InstallSignalHandlers() {
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal ignored from the start (nohup, a background job) stays ignored.
    struct sigaction current {};
    if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
    std::signal(signalNumber, OnSignal);
  }
}

void RequestStop(int signalNumber) {
  int none = 0;
  g_stopSignal.compare_exchange_strong(none, signalNumber);
}

GracefulStop::GracefulStop() { g_graceful.store(true); }

GracefulStop::~GracefulStop() { g_graceful.store(false); }

void GracefulStop::EndIfStopped() const {
  if (const int signalNumber = g_stopSignal.load(); signalNumber != 0) {
    RemovePendingTemporaryFiles();
    EndBySignal(signalNumber);
  }
}

bool StopRequested() { return g_stopSignal.load(std::memory_order_relaxed) != 0; }

}  // namespace slicewright::cli
