#pragma once

#include "audio/TransportView.h"

namespace slicewright {

class TMainForm;

// The transport's view of the main window: its four buttons, the play line
// over the waveform, the strip and the message boxes.
class MainTransportView : public TransportView {
 public:
  explicit MainTransportView(TMainForm& form) : form_(form) {}

  bool IsButtonDown(TransportButton button) const override;
  void SetButtonDown(TransportButton button, bool down) override;
  void SetButtonEnabled(TransportButton button, bool enabled) override;
  int32_t PaintBoxWidth() const override;
  void SetPlayLine(int32_t x, bool shown) override;
  void DrawSegmentStrip() override;
  void EnableSelectedSegmentItems() override;
  int32_t PointerX() const override;
  bool PointerPlaysFromPoint() const override;
  bool Closing() const override;
  void ShowWarning(const std::string& text) override;
  void ShowError(const std::string& text) override;

 private:
  TMainForm& form_;
};

}  // namespace slicewright
