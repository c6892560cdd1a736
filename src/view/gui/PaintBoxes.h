#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <array>
#include <optional>

namespace slicewright {

// A widget that shows a picture kept in memory, as drawn by the view, with
// up to two vertical lines drawn over it by its own paint event (the play
// line and the tracking line). Moving a line repaints two columns and never
// touches the picture.
class ImageBox : public QWidget {
  Q_OBJECT
 public:
  enum Line { PlayLine, TrackLine };

  explicit ImageBox(QWidget* parent = nullptr);
  // The picture, in device pixels at the widget's pixel ratio.
  QImage& Picture() { return picture_; }
  const QImage& Picture() const { return picture_; }
  // Shows the changed picture.
  void PresentAll();

  // Shows a line one column wide over the full height at column x, or hides it.
  void SetLine(Line line, std::optional<int> x, const QColor& colour);
  std::optional<int> LineX(Line line) const { return lines_[line].x; }

 signals:
  void MouseMoved(QMouseEvent* event);
  void MousePressed(QMouseEvent* event);
  void MouseReleased(QMouseEvent* event);
  void WheelTurned(QWheelEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  struct Overlay {
    std::optional<int> x;
    QColor colour;
  };
  void RepaintColumn(std::optional<int> x);

  QImage picture_;
  std::array<Overlay, 2> lines_{};
};

}  // namespace slicewright
