#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace slicewright {

// Where the audio lies in a RIFF WAVE image taken from the clipboard.
struct WaveDataLocation {
  bool Found = false;
  // The data length as the image states it.
  uint32_t StatedLength = 0;
  // Offset of the first data byte in the image.
  size_t Offset = 0;
  // The data bytes the image really holds: at most StatedLength, never past
  // the end of the block.
  std::span<const uint8_t> Data;
};

// Looks for the audio in a clipboard block: the block must start with "RIFF";
// the data chunk is the first byte pair "da" after it, wherever it lies, and
// its 4-byte little-endian length follows two bytes later. The form type and
// the fmt chunk are not examined: the bytes are taken as the document's own
// format. Not found when the id, the pair or the length field is missing.
WaveDataLocation FindWaveData(std::span<const uint8_t> block);

}  // namespace slicewright
