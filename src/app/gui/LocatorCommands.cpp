// Dragging the L and R buttons along the waveform and snapping them to
// segment bounds on the drop.
#include <QMouseEvent>
#include <QPushButton>
#include <functional>

#include "app/gui/TMainForm.h"
#include "audio/Transport.h"
#include "edit/Locators.h"
#include "view/gui/PaintBoxes.h"

namespace slicewright {
namespace {

// Hands a locator button's left-button press, moves and release to the window.
class LocatorDragFilter : public QObject {
 public:
  LocatorDragFilter(QObject* parent, std::function<void(int)> down, std::function<void(int)> move,
                    std::function<void()> up)
      : QObject(parent), down_(std::move(down)), move_(std::move(move)), up_(std::move(up)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    // A disabled button still hands its filter the mouse: it must not move.
    const auto* button = qobject_cast<QWidget*>(watched);
    if (mouse == nullptr || (button != nullptr && !button->isEnabled())) {
      return QObject::eventFilter(watched, event);
    }
    const int x = static_cast<int>(mouse->position().x());
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) down_(x);
    if (event->type() == QEvent::MouseMove) move_(x);
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) up_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(int)> down_;
  std::function<void(int)> move_;
  std::function<void()> up_;
};

}  // namespace

void TMainForm::ConnectLocators() {
  Button19->installEventFilter(new LocatorDragFilter(
      Button19, [this](int x) { Button19MouseDown(x); }, [this](int x) { Button19MouseMove(x); },
      [this] { Button19MouseUp(); }));
  Button21->installEventFilter(new LocatorDragFilter(
      Button21, [this](int x) { Button21MouseDown(x); }, [this](int x) { Button21MouseMove(x); },
      [this] { Button21MouseUp(); }));
}

void TMainForm::GrabLocator(int x) {
  LocatorDragging = true;
  locatorGrabX_ = x;
}

// The button keeps the place where it was taken hold of under the pointer,
// and may go past either end of the waveform.
void TMainForm::DragLocator(QPushButton* button, int x) {
  if (LocatorDragging) button->move(button->x() + x - locatorGrabX_, button->y());
}

void TMainForm::Button19MouseDown(int x) { GrabLocator(x); }

void TMainForm::Button19MouseMove(int x) { DragLocator(Button19, x); }

void TMainForm::Button19MouseUp() {
  if (!LocatorDragging) return;
  LocatorDragging = false;
  SnapLeftLocator(doc_, Button19->x() - PaintBox1->x(), PaintBox1->width());
  DropLocator();
}

void TMainForm::Button21MouseDown(int x) { GrabLocator(x); }

void TMainForm::Button21MouseMove(int x) { DragLocator(Button21, x); }

void TMainForm::Button21MouseUp() {
  if (!LocatorDragging) return;
  LocatorDragging = false;
  SnapRightLocator(doc_, Button21->x() - PaintBox1->x(), Button21->width(), PaintBox1->width());
  DropLocator();
}

void TMainForm::DropLocator() {
  // A locator that snapped outside the view hides its button.
  PlaceLocatorButtons();
  RefreshLoopTempo();
  transport_->LocatorDropped();
}

}  // namespace slicewright
