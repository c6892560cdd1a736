#pragma once

#include <optional>

#include "app/gui/Clipboard.h"

namespace slicewright::test {

// A clipboard of the test's own: holds one wave block or nothing, and tells
// the window when another program would have changed it.
class MemoryClipboard : public Clipboard {
 public:
  std::optional<std::vector<uint8_t>> block;

  bool HasWave() const override { return block.has_value(); }
  std::vector<uint8_t> Wave() const override { return block.value_or(std::vector<uint8_t>{}); }
  void SetWave(const std::vector<uint8_t>& image) override {
    block = image;
    NotifyChanged();
  }
  // Another program put this on the clipboard (or emptied it).
  void PutFromOutside(std::optional<std::vector<uint8_t>> contents) {
    block = std::move(contents);
    NotifyChanged();
  }
};

}  // namespace slicewright::test
