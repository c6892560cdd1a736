#pragma once

#include <cstdint>
#include <vector>

#include "document/Document.h"

namespace slicewright {

constexpr int32_t WaveHeaderSize = 46;

// A RIFF WAVE file in the document's format: the 46-byte header (an 18-byte
// fmt chunk) and the bytes [start, start + length) of the sample data, with
// no other chunk and no pad byte. A range reaching outside the data is cut
// to the bytes present.
std::vector<uint8_t> BuildWaveImage(const Document& doc, int32_t start, int32_t length);

}  // namespace slicewright
