#pragma once

#include <QWidget>

class QToolButton;

namespace slicewright {

// A pair of arrow buttons that steps a position within a range; the value
// itself is shown by a label beside it.
class UpDown : public QWidget {
  Q_OBJECT
 public:
  UpDown(int minimum, int maximum, int step, QWidget* parent = nullptr);

  int Position() const { return position_; }
  // Sets the position, brought into range, without reporting a click.
  void SetPosition(int position);
  // One step up or down, as a click on an arrow does.
  void StepBy(int steps);

  QToolButton* UpButton = nullptr;
  QToolButton* DownButton = nullptr;

 signals:
  // An arrow was clicked; the position may be unchanged at a range end.
  void Clicked();

 private:
  int minimum_;
  int maximum_;
  int step_;
  int position_;
};

}  // namespace slicewright
