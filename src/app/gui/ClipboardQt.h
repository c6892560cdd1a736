#pragma once

#include <QObject>

#include "app/gui/Clipboard.h"

namespace slicewright {

// The desktop's clipboard. Audio goes out as "audio/wav"; "audio/x-wav",
// which some programs still use, is read as well.
class QtClipboard : public QObject, public Clipboard {
  Q_OBJECT
 public:
  QtClipboard();
  bool HasWave() const override;
  std::vector<uint8_t> Wave() const override;
  void SetWave(const std::vector<uint8_t>& image) override;
};

}  // namespace slicewright
