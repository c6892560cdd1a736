#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "audio/UiThread.h"

namespace slicewright {

// Posts calls to the Qt event loop of the thread that created it (the
// user-interface thread). Calls still queued when it is destroyed are
// discarded with its context object.
class QtUiThread : public UiThread {
 public:
  QtUiThread();
  ~QtUiThread() override;
  QtUiThread(const QtUiThread&) = delete;
  QtUiThread& operator=(const QtUiThread&) = delete;

  void Post(std::function<void()> call) override;

 private:
  std::unique_ptr<QObject> context_;
};

}  // namespace slicewright
