// Times the waveform's columns on long files: the whole view and zoomed
// views through the level summary, against the direct loop over every sample
// in the same run, and what building the summary adds to loading.
//   waveform_columns FILE.wav [FILE.wav ...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "document/WaveLoader.h"
#include "view/PixelMapping.h"
#include "view/WaveColumns.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace slicewright;

template <typename Work>
double BestMs(int runs, const Work& work) {
  double best = 1e300;
  for (int r = 0; r < runs; ++r) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

// The column rule over every sample, as the view computed it before the summary.
std::vector<WaveColumn> DirectColumns(const Document& doc, int32_t width) {
  std::vector<WaveColumn> columns(static_cast<size_t>(width));
  int64_t consumed = 0;
  for (int32_t i = 1; i <= width; ++i) {
    int64_t n = RoundHalfEven(static_cast<double>(doc.ViewLength - consumed) / (width - i + 1));
    if (n % 2 != 0) ++n;
    n = std::clamp<int64_t>(n, 0, std::max<int64_t>(doc.ViewLength - consumed, 0));
    WaveColumn& column = columns[static_cast<size_t>(i - 1)];
    column.bytes = static_cast<int32_t>(n);
    const int64_t first = int64_t{doc.ViewStart} + consumed;
    const int64_t last = std::min<int64_t>(first + n, doc.DataLength);
    for (int64_t at = first; at + 1 < last; at += 2) {
      const int32_t level = doc.SampleAt(static_cast<int32_t>(at)) / 256;
      column.low = std::min(column.low, level);
      column.high = std::max(column.high, level);
    }
    consumed += n;
  }
  return columns;
}

bool Same(const std::vector<WaveColumn>& a, const std::vector<WaveColumn>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const WaveColumn& x, const WaveColumn& y) {
    return x.bytes == y.bytes && x.low == y.low && x.high == y.high;
  });
}

void Measure(const std::string& path) {
  Document doc;
  const double loadMs = BestMs(3, [&] { LoadDocument(doc, path, StereoChoice::Left); });
  const double buildMs = BestMs(3, [&] { doc.SamplesReplaced(); });
  const double seconds = static_cast<double>(doc.DataLength) / 2 / doc.SampleRate;
  std::printf("%s: %.0f s of audio at %d Hz, %.1f MB of samples, summary %.1f MB\n", path.c_str(), seconds,
              doc.SampleRate, doc.DataLength / 1e6, doc.Levels.MemoryBytes() / 1e6);
  std::printf("  load %.1f ms, of which building the summary %.1f ms (%.0f%% added to loading)\n", loadMs,
              buildMs, 100.0 * buildMs / (loadMs - buildMs));

  bool identical = true;
  for (const int32_t width : {1000, 1920, 300}) {
    doc.ViewWholeFile();
    std::vector<WaveColumn> fast;
    std::vector<WaveColumn> direct;
    const double fastMs = BestMs(5, [&] { fast = WaveColumns(doc, width); });
    const double directMs = BestMs(2, [&] { direct = DirectColumns(doc, width); });
    identical = identical && Same(fast, direct);
    std::printf("  whole view, %4d columns: %8.3f ms (direct loop %7.1f ms, %.0fx)\n", width, fastMs,
                directMs, directMs / fastMs);
  }
  std::mt19937 rng(7);
  double worstZoomMs = 0;
  for (int view = 0; view < 200; ++view) {
    doc.ViewStart = std::uniform_int_distribution<int32_t>(0, doc.DataLength - 2)(rng) & ~1;
    doc.ViewLength = std::uniform_int_distribution<int32_t>(2, doc.DataLength - doc.ViewStart)(rng);
    doc.ViewEnd = doc.ViewStart + doc.ViewLength;
    const int32_t width = std::uniform_int_distribution<int32_t>(100, 2000)(rng);
    std::vector<WaveColumn> fast;
    worstZoomMs = std::max(worstZoomMs, BestMs(3, [&] { fast = WaveColumns(doc, width); }));
    if (view % 20 == 0) identical = identical && Same(fast, DirectColumns(doc, width));
  }
  std::printf("  200 zoomed views of any size, slowest: %.3f ms\n", worstZoomMs);
  std::printf("  columns identical to the direct loop: %s\n", identical ? "yes" : "NO");
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) Measure(argv[i]);
}
