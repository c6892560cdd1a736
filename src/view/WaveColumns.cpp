#include "view/WaveColumns.h"

#include <algorithm>

#include "view/PixelMapping.h"

namespace slicewright {

std::vector<WaveColumn> WaveColumns(const Document& doc, int32_t width) {
  std::vector<WaveColumn> columns(static_cast<size_t>(std::max(width, 0)));
  const int64_t dataEnd = std::min<int64_t>(doc.DataLength, static_cast<int64_t>(doc.SampleStream.size()));
  int64_t consumed = 0;
  for (int32_t i = 1; i <= width; ++i) {
    int64_t n = RoundHalfEven(static_cast<double>(doc.ViewLength - consumed) / (width - i + 1));
    if (n % 2 != 0) ++n;  // whole samples only
    n = std::clamp<int64_t>(n, 0, std::max<int64_t>(doc.ViewLength - consumed, 0));
    WaveColumn& column = columns[static_cast<size_t>(i - 1)];
    column.bytes = static_cast<int32_t>(n);
    const int64_t first = int64_t{doc.ViewStart} + consumed;
    const int64_t last = std::min(first + n, dataEnd);
    for (int64_t at = std::max<int64_t>(first, 0); at + 1 < last; at += BytesPerSample) {
      const int32_t level = doc.SampleAt(static_cast<int32_t>(at)) / 256;  // truncates toward zero
      column.low = std::min(column.low, level);
      column.high = std::max(column.high, level);
    }
    consumed += n;
  }
  return columns;
}

}  // namespace slicewright
