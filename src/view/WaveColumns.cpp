#include "view/WaveColumns.h"

#include <algorithm>
#include <span>

#include "view/PixelMapping.h"

namespace slicewright {
namespace {

// Levels of the samples whose two bytes lie in [first, last).
LevelRange ColumnLevels(const Document& doc, std::span<const uint8_t> samples, int64_t first, int64_t last,
                        bool summarised) {
  if (first % BytesPerSample != 0) {
    // A view that starts between a sample's bytes reads byte pairs from there.
    LevelRange levels;
    for (int64_t at = first; at + 1 < last; at += BytesPerSample) {
      const auto level = static_cast<int8_t>(doc.SampleAt(static_cast<int32_t>(at)) / 256);
      levels.Include({level, level});
    }
    return levels;
  }
  const int64_t firstSample = first / BytesPerSample;
  const int64_t lastSample = last / BytesPerSample;
  return summarised ? doc.Levels.Range(samples, firstSample, lastSample)
                    : ScanLevels(samples, firstSample, lastSample);
}

}  // namespace

std::vector<WaveColumn> WaveColumns(const Document& doc, int32_t width) {
  std::vector<WaveColumn> columns(static_cast<size_t>(std::max(width, 0)));
  const int64_t dataEnd = std::min<int64_t>(doc.DataLength, static_cast<int64_t>(doc.SampleStream.size()));
  const std::span<const uint8_t> samples(doc.SampleStream.data(), static_cast<size_t>(dataEnd));
  // A document whose summary is not in step (one filled by hand) is read sample by sample.
  const bool summarised = doc.Levels.Covers(static_cast<int64_t>(doc.SampleStream.size()) / BytesPerSample);
  int64_t consumed = 0;
  for (int32_t i = 1; i <= width; ++i) {
    int64_t n = RoundHalfEven(static_cast<double>(doc.ViewLength - consumed) / (width - i + 1));
    if (n % 2 != 0) ++n;  // whole samples only
    n = std::clamp<int64_t>(n, 0, std::max<int64_t>(doc.ViewLength - consumed, 0));
    WaveColumn& column = columns[static_cast<size_t>(i - 1)];
    column.bytes = static_cast<int32_t>(n);
    const int64_t first = std::max<int64_t>(int64_t{doc.ViewStart} + consumed, 0);
    const int64_t last = std::min(int64_t{doc.ViewStart} + consumed + n, dataEnd);
    const LevelRange levels = ColumnLevels(doc, samples, first, last, summarised);
    if (!levels.Empty()) {
      column.low = std::min<int32_t>(column.low, levels.low);
      column.high = std::max<int32_t>(column.high, levels.high);
    }
    consumed += n;
  }
  return columns;
}

}  // namespace slicewright
