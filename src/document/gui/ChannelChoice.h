#pragma once

#include <QGroupBox>
#include <optional>

#include "document/WaveLoader.h"

class QButtonGroup;

namespace slicewright {

// "Choose channel:" with "Use Left Channel", "Use Right Channel" and
// "Combine Channels" side by side, none chosen at first.
class ChannelChoice : public QGroupBox {
  Q_OBJECT
 public:
  explicit ChannelChoice(QWidget* parent);
  std::optional<StereoChoice> Choice() const;

 signals:
  void Chosen();

 private:
  QButtonGroup* buttons_ = nullptr;
};

}  // namespace slicewright
