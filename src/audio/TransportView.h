#pragma once

#include <cstdint>
#include <string>

namespace slicewright {

// The four transport buttons: "All", "Loop", "Selected" and "Stop".
enum class TransportButton { All, Loop, Selected, Stop };

// What the transport needs from the main window.
class TransportView {
 public:
  virtual ~TransportView() = default;

  virtual bool IsButtonDown(TransportButton button) const = 0;
  virtual void SetButtonDown(TransportButton button, bool down) = 0;
  virtual void SetButtonEnabled(TransportButton button, bool enabled) = 0;

  // Width in columns of the waveform area.
  virtual int32_t PaintBoxWidth() const = 0;
  // Puts the play line at a column of the view, shown or not yet shown.
  virtual void SetPlayLine(int32_t x, bool shown) = 0;
  virtual void DrawSegmentStrip() = 0;
  // Enables "Save &Selected Segment" and the pop-up "Save Segment".
  virtual void EnableSelectedSegmentItems() = 0;

  // Last x of the mouse over the waveform area.
  virtual int32_t PointerX() const = 0;
  // The add tool is active or a point drag is armed: Space then plays from
  // the pointer itself rather than from the start of its segment.
  virtual bool PointerPlaysFromPoint() const = 0;
  // The program is ending; the end-of-playback handler then does nothing.
  virtual bool Closing() const = 0;

  // Modal boxes with an OK button.
  virtual void ShowWarning(const std::string& text) = 0;
  virtual void ShowError(const std::string& text) = 0;
};

}  // namespace slicewright
