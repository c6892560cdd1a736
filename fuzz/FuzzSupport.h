#pragma once

// What the fuzz targets share: a check that libFuzzer reports as a crash, the
// document invariants every view, edit and export relies on, and a document
// made from raw samples the way a load and the first refresh leave it.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "detect/SliceDetector.h"
#include "document/Document.h"

// Aborts with the failed condition, so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (0)

namespace slicewright::fuzz {

// Width of the waveform area the window would pass to detection.
constexpr int32_t kViewWidth = 1000;

// Points between the fixed entries lie on sample boundaries inside the data,
// in ascending order, with strengths detection can give; the entry after them
// marks the end of the data.
inline void CheckPointTable(const std::vector<SlicePoint>& table, int32_t count, int32_t dataLength) {
  FUZZ_CHECK(count >= 0 && count <= PointLimit);
  FUZZ_CHECK(table[0].Position == 0);
  for (int32_t k = 1; k <= count; ++k) {
    FUZZ_CHECK(table[k].Position >= table[k - 1].Position);
    FUZZ_CHECK(table[k].Position < dataLength);
    FUZZ_CHECK(table[k].Position % BytesPerSample == 0);
    FUZZ_CHECK(table[k].Strength <= 65535);
  }
  FUZZ_CHECK(table[count + 1].Position == dataLength);
}

inline void CheckDocument(const Document& doc) {
  FUZZ_CHECK(doc.DataLength >= 0 && doc.DataLength % BytesPerSample == 0);
  FUZZ_CHECK(doc.SampleStream.size() == static_cast<size_t>(doc.DataLength));
  CheckPointTable(doc.SlicePoints, doc.SlicePointCount, doc.DataLength);
  CheckPointTable(doc.ActivePoints, doc.ActivePointCount, doc.DataLength);
  FUZZ_CHECK(0 <= doc.LeftLocatorPos && doc.LeftLocatorPos <= doc.RightLocatorPos &&
             doc.RightLocatorPos <= doc.DataLength);
}

// A loaded mono document over little-endian 16-bit samples (an odd last byte
// is dropped), scanned, with the points above threshold selected.
inline Document ScannedDocument(std::vector<uint8_t> pcm, int32_t rate, int32_t threshold) {
  Document doc;
  pcm.resize(pcm.size() / BytesPerSample * BytesPerSample);
  doc.SampleRate = rate;
  doc.AvgBytesPerSec = rate * BytesPerSample;
  doc.SampleStream = std::move(pcm);
  doc.DataLength = static_cast<int32_t>(doc.SampleStream.size());
  doc.LoadedFileName = "fuzz.wav";
  doc.FileLoaded = true;
  ResetPointTables(doc);
  doc.ViewWholeFile();
  doc.RightLocatorPos = doc.DataLength;
  doc.Threshold = threshold;
  doc.RescanPending = true;
  DetectSlicePoints(doc, kViewWidth);
  return doc;
}

}  // namespace slicewright::fuzz
