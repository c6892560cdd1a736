#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace slicewright {

// Appends fields to a file image and patches size fields afterwards. RIFF
// files are little-endian, MIDI files big-endian.
class ByteWriter {
 public:
  size_t Position() const { return bytes_.size(); }
  std::vector<uint8_t>& Bytes() { return bytes_; }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

  void Text(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
  void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void Append(const uint8_t* first, size_t count) { bytes_.insert(bytes_.end(), first, first + count); }
  void U8(uint8_t v) { bytes_.push_back(v); }

  void U16LE(uint16_t v) { PutLE(v, 2); }
  void U32LE(uint32_t v) { PutLE(v, 4); }
  void U16BE(uint16_t v) { PutBE(v, 2); }
  void U32BE(uint32_t v) { PutBE(v, 4); }

  void PatchU32LE(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }

 private:
  void PutLE(uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void PutBE(uint32_t v, int count) {
    for (int i = count - 1; i >= 0; --i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }

  std::vector<uint8_t> bytes_;
};

}  // namespace slicewright
