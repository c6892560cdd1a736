#include "export/WaveImage.h"

#include <algorithm>

#include "export/ByteWriter.h"

namespace slicewright {

std::vector<uint8_t> BuildWaveImage(const Document& doc, int32_t start, int32_t length) {
  const int64_t size = static_cast<int64_t>(doc.SampleStream.size());
  const int64_t first = std::clamp<int64_t>(start, 0, size);
  const int64_t last = std::clamp<int64_t>(int64_t{start} + std::max(length, 0), first, size);
  const auto n = static_cast<uint32_t>(last - first);

  ByteWriter out;
  out.Bytes().reserve(WaveHeaderSize + n);
  out.Text("RIFF");
  out.U32LE(n + 38);
  out.Text("WAVE");
  out.Text("fmt ");
  out.U32LE(18);
  out.U16LE(1);
  out.U16LE(doc.Channels);
  out.U32LE(static_cast<uint32_t>(doc.SampleRate));
  out.U32LE(static_cast<uint32_t>(doc.AvgBytesPerSec));
  out.U16LE(static_cast<uint16_t>(doc.BitsPerSample / 8 * doc.Channels));
  out.U16LE(doc.BitsPerSample);
  out.U16LE(0);
  out.Text("data");
  out.U32LE(n);
  out.Append(doc.SampleStream.data() + first, n);
  return out.Take();
}

}  // namespace slicewright
