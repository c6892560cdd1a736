#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "TestWaves.h"
#include "detect/PointWalks.h"
#include "detect/SliceDetector.h"

namespace slicewright {
namespace {

// The fine refinement as first written: after refining each point, every
// point is walked backward, then every point forward.
void LiteralFineRefinement(Document& doc) {
  const SampleView data(doc.SampleStream.data(), doc.DataLength);
  const auto windows = WindowsForRate(doc.SampleRate);
  const int32_t count = doc.SlicePointCount;
  for (int32_t k = 1; k <= count; ++k) {
    doc.SlicePoints[k].Position = FineRefine(data, doc.SlicePoints[k].Position, windows);
    for (int32_t i = 1; i <= count; ++i)
      doc.SlicePoints[i].Position = BackwardWalk(data, doc.SlicePoints[i].Position);
    for (int32_t i = 1; i <= count; ++i)
      doc.SlicePoints[i].Position = ForwardWalk(data, doc.SlicePoints[i].Position);
  }
}

void LiteralRefinement(Document& doc) {
  const SampleView data(doc.SampleStream.data(), doc.DataLength);
  const auto windows = WindowsForRate(doc.SampleRate);
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) {
    doc.SlicePoints[k].Position = CoarseRefine(data, doc.SlicePoints[k].Position, windows);
  }
  LiteralFineRefinement(doc);
}

Document WithPoints(std::vector<int16_t> samples, const std::vector<int32_t>& positions) {
  Document doc;
  doc.SampleStream = test::Pcm16(samples);
  doc.DataLength = static_cast<int32_t>(doc.SampleStream.size());
  doc.SampleRate = 44100;
  doc.SlicePointCount = static_cast<int32_t>(positions.size());
  for (size_t i = 0; i < positions.size(); ++i)
    doc.SlicePoints[i + 1] = SlicePoint{positions[i], 0, true, false};
  return doc;
}

void ExpectSameRefinement(Document doc) {
  Document literal = doc;
  LiteralRefinement(literal);
  RefineSlicePoints(doc);
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) {
    ASSERT_EQ(doc.SlicePoints[k].Position, literal.SlicePoints[k].Position) << "point " << k;
  }
}

std::vector<int32_t> RandomPositions(size_t count, int32_t dataLength, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int32_t> dist(0, dataLength / 2 - 1);
  std::vector<int32_t> out(count);
  for (auto& p : out) p = 2 * dist(rng);
  std::sort(out.begin(), out.end());
  return out;
}

// Walks tend to run down ramps of a slowly varying signal: a smoothed noise
// gives long, non-trivial walk trajectories.
std::vector<int16_t> SmoothNoise(size_t count, uint32_t seed) {
  const auto raw = test::Noise(count, 30000, seed);
  std::vector<int16_t> out(count);
  double state = 0;
  for (size_t i = 0; i < count; ++i) {
    state = 0.97 * state + 0.03 * raw[i];
    out[i] = static_cast<int16_t>(state * 4);
  }
  return out;
}

TEST(WalkSchedule, MatchesTheLiteralScheduleOnRandomInputs) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    const auto samples = seed % 2 ? test::Noise(40000, 20000, seed) : SmoothNoise(40000, seed);
    ExpectSameRefinement(WithPoints(samples, RandomPositions(40 * seed, 80000, seed)));
  }
}

TEST(WalkSchedule, MatchesTheLiteralScheduleOnADrumLoopScan) {
  Document doc;
  doc.SampleStream = test::Pcm16(test::DrumLoop(300000, 3000, 2));
  doc.DataLength = static_cast<int32_t>(doc.SampleStream.size());
  doc.SampleRate = 44100;
  DetectionObserver quiet;
  FindOnsets(doc, quiet);
  ASSERT_GT(doc.SlicePointCount, 50);
  ExpectSameRefinement(doc);
}

TEST(WalkSchedule, MatchesTheLiteralScheduleWithPointsAtTheEdges) {
  const auto samples = SmoothNoise(5000, 9);
  ExpectSameRefinement(WithPoints(samples, {0, 2, 4, 100, 9990, 9994, 9996, 9998}));
}

TEST(WalkSchedule, MatchesTheLiteralScheduleAtTheFullTable) {
  // 8192 dense points, many sharing positions or lying out of order.
  auto positions = RandomPositions(PointLimit, 2 * 60000, 77);
  std::shuffle(positions.begin() + 4000, positions.begin() + 4100, std::mt19937(5));
  ExpectSameRefinement(WithPoints(SmoothNoise(60000, 4), positions));
}

}  // namespace
}  // namespace slicewright
