#pragma once

#include <QDialog>
#include <optional>

#include "document/WaveLoader.h"

class QLabel;
class QPushButton;

namespace slicewright {

class ChannelChoice;

// "Convert Audio File": names the format of a file that only conversion
// opens and asks whether to convert it to 16-bit mono; a file of two
// channels also needs one of the channel choices before O.K. is enabled.
class ConvertDialog : public QDialog {
  Q_OBJECT
 public:
  ConvertDialog(const QString& format, bool stereo, QWidget* parent = nullptr);
  // The channel to keep (a mono file keeps its one channel, given as
  // Combine), or nothing while none is chosen.
  std::optional<StereoChoice> Choice() const;

  QLabel* FormatLabel = nullptr;
  ChannelChoice* RadioGroup1 = nullptr;
  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace slicewright
