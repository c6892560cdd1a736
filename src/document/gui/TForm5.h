#pragma once

#include <QDialog>
#include <optional>

#include "document/WaveLoader.h"

class QPushButton;

namespace slicewright {

class ChannelChoice;

// "Import Stereo File": asks which channel of a stereo file to keep. O.K.
// stays disabled until a channel is chosen.
class TForm5 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm5(QWidget* parent = nullptr);
  std::optional<StereoChoice> Choice() const;

 private:
  void RadioGroup1Click();

  ChannelChoice* RadioGroup1 = nullptr;
  QPushButton* Button1 = nullptr;
};

}  // namespace slicewright
