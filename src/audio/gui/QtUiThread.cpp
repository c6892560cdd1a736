#include "audio/gui/QtUiThread.h"

#include <QMetaObject>
#include <utility>

namespace slicewright {

QtUiThread::QtUiThread() : context_(std::make_unique<QObject>()) {}

QtUiThread::~QtUiThread() = default;

void QtUiThread::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(context_.get(), std::move(call), Qt::QueuedConnection);
}

}  // namespace slicewright
