#include "detect/PointWalks.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "document/Rounding.h"

namespace slicewright {
namespace {

int32_t NearestInt(long double x) { return static_cast<int32_t>(RoundHalfEven64(x)); }

// Largest magnitude of the 4 samples at offset; 0 when all are silent or absent.
int16_t PeakOfFour(const SampleView& data, int64_t offset) {
  int16_t m = 0;
  for (int i = 0; i < 4; ++i) m = std::max(m, Magnitude16(data.At(offset + 2 * i)));
  return m;
}

constexpr int kWalkReadBytes = 8;

}  // namespace

RefinementWindows WindowsForRate(int32_t sampleRate) {
  const long double rate = sampleRate;
  return {NearestInt(240.0L * rate / 44100.0L), NearestInt(20.0L * rate / 44100.0L),
          NearestInt(192.0L * rate / 44100.0L)};
}

int32_t CoarseRefine(const SampleView& data, int32_t position, const RefinementWindows& windows) {
  const int32_t w = windows.coarseWindow;
  const int32_t s = windows.coarseStep;
  // Below 1103 samples per second the step rounds to 0: leave the point.
  if (s <= 0 || w <= 0) return position;
  const int32_t j0 = w / s;
  const int64_t start = int64_t{position} - 2 * int64_t{w};
  int32_t best = 32767;
  int64_t offset = 2 * int64_t{w};
  for (int32_t j = j0; j >= 1; --j) {
    int16_t peak = 0;
    for (int32_t i = 1; i <= s; ++i) {
      peak = std::max(peak, Magnitude16(data.At(start + 2 * (int64_t{j} * i - 1))));
    }
    if (peak < best && best > 384) {
      best = peak;
      offset = 2 * int64_t{s} * (j - 1);
    }
  }
  return static_cast<int32_t>(std::max<int64_t>(start + offset, 0));
}

int32_t FineRefine(const SampleView& data, int32_t position, const RefinementWindows& windows) {
  const int32_t w = windows.fineWindow;
  if (w <= 0) return position;
  const int32_t j0 = w / 2;
  const int64_t start = int64_t{position} - 2 * int64_t{w};
  int32_t best = 256;
  int64_t offset = 2 * int64_t{w};
  for (int32_t j = j0; j >= 1; --j) {
    const int32_t a = data.At(start + 2 * (j - 1)) / 256;
    const int32_t b = data.At(start + 2 * (2 * j - 1)) / 256;
    const int32_t r = std::abs(std::min(a, b)) + std::abs(std::max(a, b));
    if (r < best && best > 3) {
      best = r;
      offset = 4 * int64_t{j - 1};
    }
  }
  return static_cast<int32_t>(std::max<int64_t>(start + offset, 0));
}

int32_t BackwardWalk(const SampleView& data, int32_t position) {
  int64_t pos = position;
  int32_t last = 65535;
  for (int64_t d = 0;; d += 2) {
    const int64_t at = pos - d;
    if (at < 0 || at >= data.Length()) break;
    const int16_t m = PeakOfFour(data, at);
    if (m >= last) break;
    pos = at;
    last = m;
  }
  return static_cast<int32_t>(pos);
}

int32_t ForwardWalk(const SampleView& data, int32_t position) {
  int64_t pos = position;
  int32_t last = 65535;
  for (int64_t d = 0;; d += 2) {
    const int64_t at = pos + d;
    if (at < 0 || at >= data.Length()) break;
    const int16_t m = PeakOfFour(data, at);
    if (m >= last) break;
    pos = at;
    last = m;
    if (at + kWalkReadBytes >= data.Length()) break;  // this read reached the end
  }
  return static_cast<int32_t>(pos);
}

int32_t RepeatWalkPair(const SampleView& data, int32_t position, int64_t times) {
  if (times <= 0) return position;
  // trajectory[t] is the position after t applications.
  std::vector<int32_t> trajectory{position};
  std::unordered_map<int32_t, int64_t> seenAt;  // filled only for long trajectories
  constexpr size_t kLinearSearchLimit = 32;
  while (static_cast<int64_t>(trajectory.size()) <= times) {
    const int32_t next = WalkPair(data, trajectory.back());
    int64_t first = -1;
    if (trajectory.size() <= kLinearSearchLimit) {
      const auto it = std::find(trajectory.begin(), trajectory.end(), next);
      if (it != trajectory.end()) first = it - trajectory.begin();
    } else {
      if (seenAt.empty()) {
        for (size_t t = 0; t < trajectory.size(); ++t) seenAt.emplace(trajectory[t], static_cast<int64_t>(t));
      }
      const auto it = seenAt.find(next);
      if (it != seenAt.end()) first = it->second;
    }
    if (first >= 0) {
      const int64_t period = static_cast<int64_t>(trajectory.size()) - first;
      return trajectory[static_cast<size_t>(first + (times - first) % period)];
    }
    if (!seenAt.empty()) seenAt.emplace(next, static_cast<int64_t>(trajectory.size()));
    trajectory.push_back(next);
  }
  return trajectory.back();
}

}  // namespace slicewright
