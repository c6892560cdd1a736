#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace slicewright {

// The system clipboard as the window uses it: audio is exchanged as a whole
// RIFF WAVE image.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Whether the clipboard holds audio in a wave format.
  virtual bool HasWave() const = 0;
  // The wave block on the clipboard, byte for byte; empty when there is none.
  virtual std::vector<uint8_t> Wave() const = 0;
  // Replaces the clipboard's contents with this wave image.
  virtual void SetWave(const std::vector<uint8_t>& image) = 0;

  // Called after the contents changed, whichever program changed them.
  void SetChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

 protected:
  void NotifyChanged() {
    if (changed_) changed_();
  }

 private:
  std::function<void()> changed_;
};

}  // namespace slicewright
