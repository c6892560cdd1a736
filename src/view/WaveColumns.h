#pragma once

#include <cstdint>
#include <vector>

#include "document/Document.h"

namespace slicewright {

// What one column of the waveform shows: how many bytes of the view it
// covers and the lowest and highest level (sample div 256) among them. Both
// levels start at 0, so every column includes the zero level.
struct WaveColumn {
  int32_t bytes = 0;
  int32_t low = 0;
  int32_t high = 0;
};

// Splits the visible range of the document over columns 1 .. width (element
// i - 1 is column i). Each column takes the rounded share of what is left,
// in whole samples, so together the columns take exactly the view; a view of
// fewer samples than columns leaves the last columns empty instead of
// stretching the audio.
std::vector<WaveColumn> WaveColumns(const Document& doc, int32_t width);

}  // namespace slicewright
