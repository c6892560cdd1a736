#include "detect/SliceDetector.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "detect/BlockRanges.h"
#include "detect/DetectorWeights.h"
#include "detect/ParallelFor.h"
#include "detect/PointWalks.h"
#include "detect/Real48.h"
#include "document/Rounding.h"
#include "document/Samples.h"

namespace slicewright {
namespace {

constexpr int32_t kOnsetOffset = 10;  // a point starts 10 bytes into the next block

int32_t BlockCount(int32_t dataLength) {
  const int32_t halves = dataLength / BlockSamples;
  return halves >= 1 ? (halves - 1) / 2 : 0;
}

}  // namespace

// B: block envelope detector. Appends a point after every block whose fast
// average rises above the slow one.
void FindOnsets(Document& doc, DetectionObserver& observer) {
  doc.SlicePointCount = 0;
  const Weights& w = DetectorWeights();
  const int32_t blocks = BlockCount(doc.DataLength);
  const std::vector<double> ranges = BlockRanges(doc.SampleStream.data(), blocks);
  double prevFast = 32768.0;
  double prevSlow = 49152.0;
  for (int32_t n = 1; n <= blocks; ++n) {
    const long double e = ranges[static_cast<size_t>(n - 1)];
    observer.ScanProgress(n * BlockBytes);
    const double slow = RoundToReal48(w.envNew * e + w.envHist1 * static_cast<long double>(prevFast) +
                                      w.envHist2 * static_cast<long double>(prevSlow));
    const double fast = RoundToReal48(w.fastNew * e + w.fastSlow * static_cast<long double>(slow));
    if (static_cast<long double>(fast) - static_cast<long double>(slow) > 0 &&
        doc.SlicePointCount < PointLimit) {
      ++doc.SlicePointCount;
      doc.SlicePoints[doc.SlicePointCount] = SlicePoint{n * BlockBytes + kOnsetOffset, 0, true, false};
      // No onset can follow in the very next block.
      prevFast = 65536.0;
      prevSlow = 65536.0;
    } else {
      prevFast = fast;
      prevSlow = slow;
    }
  }
}

// C and D. The walks of D run over every point once per refined point; each
// walk depends only on its own point, so point i sees i - 1 walk pairs, its
// fine refinement, then count - i + 1 more, which RepeatWalkPair shortcuts.
void RefineSlicePoints(Document& doc) {
  const SampleView data(doc.SampleStream.data(), doc.DataLength);
  const RefinementWindows windows = WindowsForRate(doc.SampleRate);
  const int32_t count = doc.SlicePointCount;
  for (int32_t k = 1; k <= count; ++k) {
    auto& position = doc.SlicePoints[k].Position;
    position = CoarseRefine(data, position, windows);
  }
  for (int32_t k = 1; k <= count; ++k) {
    auto& position = doc.SlicePoints[k].Position;
    position = RepeatWalkPair(data, position, k - 1);
    position = FineRefine(data, position, windows);
    position = RepeatWalkPair(data, position, count - k + 1);
  }
}

namespace {

// Range of n samples from start, 0 when the window starts before the data.
// `hi` keeps the signed sample whose magnitude was largest so far.
int64_t SpanAfter(const uint8_t* data, int32_t dataLength, int64_t start, int64_t n) {
  if (n <= 0 || start < 0) return 0;
  n = std::min<int64_t>(n, (dataLength - start) / 2);
  int32_t hi = -100000;
  int32_t lo = 100000;
  for (int64_t i = 0; i < n; ++i) {
    const int16_t s = DecodeSample(data + start + 2 * i);
    if (Magnitude16(s) > hi) hi = s;
    if (s < lo) lo = s;
  }
  return n > 0 ? int64_t{hi} - lo : 0;
}

int64_t SpanBefore(const uint8_t* data, int32_t dataLength, int64_t start) {
  constexpr int64_t kSamples = 500;
  if (start < 0 || start + 2 * kSamples > dataLength) return 0;
  int32_t hi = std::numeric_limits<int32_t>::min();
  int32_t lo = std::numeric_limits<int32_t>::max();
  for (int64_t i = 0; i < kSamples; ++i) {
    const int16_t s = DecodeSample(data + start + 2 * i);
    hi = std::max<int32_t>(hi, s);
    lo = std::min<int32_t>(lo, s);
  }
  return int64_t{hi} - lo;
}

void FixTableEnds(Document& doc) {
  doc.SlicePoints[doc.SlicePointCount + 1] = SlicePoint{doc.DataLength, 0, false, false};
  doc.SlicePoints[0] = SlicePoint{0, 0, false, false};
}

}  // namespace

int32_t PointStrength(const uint8_t* data, int32_t dataLength, int32_t position, int32_t nextPosition) {
  const int64_t n = (int64_t{nextPosition} - position) / 2;
  const int64_t p = SpanAfter(data, dataLength, int64_t{position} - 400, n);
  const int64_t q = SpanBefore(data, dataLength, int64_t{position} - 1400);
  // With p = 0 the value reaches -65535 * q: computed wide and saturated so it
  // can never wrap into a large positive strength.
  const long double value = static_cast<long double>(p - q) / static_cast<long double>(p + 1) * 65535.0L;
  const int64_t rounded = RoundHalfEven64(value);
  return static_cast<int32_t>(
      std::clamp<int64_t>(rounded, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void ScanSlicePoints(Document& doc, DetectionObserver& observer) {
  FindOnsets(doc, observer);
  RefineSlicePoints(doc);
  FixTableEnds(doc);
  // Each strength reads the audio up to the next point: together one pass
  // over the data, shared between threads.
  ParallelFor(doc.SlicePointCount, 64, [&doc](int64_t first, int64_t last) {
    for (int64_t k = first + 1; k <= last; ++k) {
      doc.SlicePoints[k].Strength =
          PointStrength(doc.SampleStream.data(), doc.DataLength, doc.SlicePoints[k].Position,
                        doc.SlicePoints[k + 1].Position);
    }
  });
  // Refinement can move a point back past its neighbour at high rates, where
  // the windows span more than the two blocks between onsets. The strengths
  // above are rated against the neighbours as found; the table every consumer
  // reads is in ascending order.
  const auto first = doc.SlicePoints.begin() + 1;
  std::stable_sort(first, first + doc.SlicePointCount,
                   [](const SlicePoint& a, const SlicePoint& b) { return a.Position < b.Position; });
  doc.RescanPending = false;
}

void SelectActivePoints(Document& doc, int32_t viewWidth, DetectionObserver& observer) {
  doc.ActivePointCount = 0;
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) {
    const SlicePoint& point = doc.SlicePoints[k];
    if (IsActive(point, doc.Threshold)) {
      ++doc.ActivePointCount;
      doc.ActivePoints[doc.ActivePointCount] = point;
      doc.ActivePointX[doc.ActivePointCount] =
          doc.DataLength > 0 ? static_cast<double>(point.Position) / doc.DataLength * viewWidth : 0.0;
    } else if (!point.Enabled) {
      observer.InactiveDisabledPoint(point);
    }
  }
  doc.ActivePoints[doc.ActivePointCount + 1] = SlicePoint{doc.DataLength, 0, false, false};
  doc.ActivePoints[0].Position = 0;
}

void DetectSlicePoints(Document& doc, int32_t viewWidth, DetectionObserver& observer) {
  observer.RunStarted();
  const bool rescan = doc.RescanPending;
  if (rescan) ScanSlicePoints(doc, observer);
  doc.RescanPending = false;
  SelectActivePoints(doc, viewWidth, observer);
  if (rescan) doc.RightLocatorSegment = doc.ActivePointCount + 1;
  observer.ActivePointsSelected();
  if (doc.SlicePointCount == PointLimit) observer.PointLimitReached();
}

void DetectSlicePoints(Document& doc, int32_t viewWidth) {
  DetectionObserver quiet;
  DetectSlicePoints(doc, viewWidth, quiet);
}

}  // namespace slicewright
