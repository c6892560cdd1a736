#pragma once

#include <QDialog>

class QProgressBar;

namespace slicewright {

// "Saving Samples...": the progress panel shown, without blocking the
// window, while Save To Wave Files writes its slices.
class TForm1 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);

  // Sets the bar to the share of done out of count and paints it at once,
  // since the saves run on the user-interface thread.
  void ShowProgress(int done, int count);

  QProgressBar* ProgressBar1 = nullptr;
};

}  // namespace slicewright
