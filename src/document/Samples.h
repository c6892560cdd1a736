#pragma once

#include <cstdint>

namespace slicewright {

// The sample data holds signed 16-bit little-endian samples; every reader
// and writer of a sample goes through these two.
inline int16_t DecodeSample(const uint8_t* bytes) {
  return static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | bytes[1] << 8));
}

inline void EncodeSample(uint8_t* bytes, int16_t value) {
  const auto raw = static_cast<uint16_t>(value);
  bytes[0] = static_cast<uint8_t>(raw & 0xFF);
  bytes[1] = static_cast<uint8_t>(raw >> 8);
}

}  // namespace slicewright
