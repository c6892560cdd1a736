#pragma once

#include <QImage>
#include <QWidget>

namespace slicewright {

// A widget that shows a picture kept in memory, as drawn by the view. What
// it shows survives being covered and uncovered without a redraw.
class ImageBox : public QWidget {
  Q_OBJECT
 public:
  explicit ImageBox(QWidget* parent = nullptr);
  // The picture on screen, in logical pixels at the widget's pixel ratio.
  QImage& Screen() { return screen_; }
  const QImage& Screen() const { return screen_; }
  // Shows the changed part of the picture now.
  void Present(const QRect& rect);
  void PresentAll();

 signals:
  void MouseMoved(QMouseEvent* event);
  void MousePressed(QMouseEvent* event);
  void MouseReleased(QMouseEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage screen_;
};

}  // namespace slicewright
