#include <gtest/gtest.h>

#include <algorithm>

#include "TestWaves.h"
#include "detect/PointWalks.h"
#include "detect/SliceDetector.h"

namespace slicewright {
namespace {

Document DocumentOf(const std::vector<int16_t>& samples, int32_t rate = 44100) {
  Document doc;
  doc.SampleStream = test::Pcm16(samples);
  doc.DataLength = static_cast<int32_t>(doc.SampleStream.size());
  doc.SampleRate = rate;
  doc.RescanPending = true;
  doc.Threshold = 65536;
  return doc;
}

std::vector<int32_t> Positions(const Document& doc) {
  std::vector<int32_t> out;
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) out.push_back(doc.SlicePoints[k].Position);
  return out;
}

class RecordingObserver : public DetectionObserver {
 public:
  std::vector<int32_t> progress;
  std::vector<int32_t> disabled;
  int limitWarnings = 0;
  int marks = 0;
  void ScanProgress(int32_t bytes) override { progress.push_back(bytes); }
  void InactiveDisabledPoint(const SlicePoint& p) override { disabled.push_back(p.Position); }
  void ActivePointsSelected() override { ++marks; }
  void PointLimitReached() override { ++limitWarnings; }
};

// At high rates the refinement windows span more than the two blocks between
// onsets, so a point can move back past the one before it.
TEST(Detector, PointsRefinedPastTheirNeighbourAreSortedAndKeepTheirStrengths) {
  Document doc = DocumentOf(test::DrumLoop(96000, 800, 3), 192000);
  Document refined = doc;
  DetectionObserver quiet;
  FindOnsets(refined, quiet);
  RefineSlicePoints(refined);
  std::vector<SlicePoint> expected;
  for (int32_t k = 1; k <= refined.SlicePointCount; ++k) {
    const int32_t next =
        k < refined.SlicePointCount ? refined.SlicePoints[k + 1].Position : refined.DataLength;
    const int32_t position = refined.SlicePoints[k].Position;
    expected.push_back(
        {position, PointStrength(refined.SampleStream.data(), refined.DataLength, position, next), true});
  }
  const auto byPosition = [](const SlicePoint& a, const SlicePoint& b) { return a.Position < b.Position; };
  ASSERT_FALSE(std::is_sorted(expected.begin(), expected.end(), byPosition))
      << "the signal no longer swaps points";
  std::stable_sort(expected.begin(), expected.end(), byPosition);

  ScanSlicePoints(doc, quiet);
  const auto first = doc.SlicePoints.begin() + 1;
  EXPECT_EQ(std::vector<SlicePoint>(first, first + doc.SlicePointCount), expected);
}

TEST(Detector, SilenceGivesNoPoint) {
  Document doc = DocumentOf(std::vector<int16_t>(200000, 0));
  DetectSlicePoints(doc, 800);
  EXPECT_EQ(doc.SlicePointCount, 0);
  EXPECT_EQ(doc.ActivePointCount, 0);
  EXPECT_EQ(doc.SlicePoints[0].Position, 0);
  EXPECT_EQ(doc.SlicePoints[1].Position, doc.DataLength);
  EXPECT_EQ(doc.ActivePoints[1].Position, doc.DataLength);
  EXPECT_FALSE(doc.RescanPending);
}

TEST(Detector, ASingleClickAfterSilenceGivesOnePointJustAfterIt) {
  std::vector<int16_t> samples(100000, 0);
  samples[60000] = 20000;
  Document doc = DocumentOf(samples);
  RecordingObserver observer;
  FindOnsets(doc, observer);
  ASSERT_EQ(doc.SlicePointCount, 1);
  // 10 bytes into the block after the one that holds the click.
  const int32_t clickBlock = 120000 / 410 + 1;
  EXPECT_EQ(doc.SlicePoints[1].Position, clickBlock * 410 + 10);
  EXPECT_EQ(observer.progress.size(), static_cast<size_t>((100000 * 2 / 205 - 1) / 2));
  EXPECT_EQ(observer.progress.back(), static_cast<int32_t>(observer.progress.size()) * 410);

  DetectSlicePoints(doc, 800);  // a full run from scratch finds the same single onset
  doc.RescanPending = true;
  DetectSlicePoints(doc, 800);
  ASSERT_EQ(doc.SlicePointCount, 1);
  EXPECT_GT(doc.SlicePoints[1].Position, 120000);
  EXPECT_LT(doc.SlicePoints[1].Position, clickBlock * 410 + 10);
}

TEST(Detector, OnsetsInAdjacentBlocksGiveOnePoint) {
  std::vector<int16_t> samples(60000, 0);
  samples[30000] = 20000;
  samples[30000 + 205] = -25000;
  Document doc = DocumentOf(samples);
  DetectSlicePoints(doc, 800);
  EXPECT_EQ(doc.SlicePointCount, 1);
}

TEST(Detector, ASteadyToneGivesNoPointAfterItsFirstOnset) {
  std::vector<int16_t> samples(100000, 0);
  for (size_t i = 20000; i < samples.size(); ++i) samples[i] = (i / 50) % 2 == 0 ? 8000 : -8000;
  Document doc = DocumentOf(samples);
  DetectSlicePoints(doc, 800);
  EXPECT_EQ(doc.SlicePointCount, 1);
}

TEST(Detector, WindowsScaleWithTheRate) {
  const auto w22 = WindowsForRate(22050);
  EXPECT_EQ(w22.coarseWindow, 120);
  EXPECT_EQ(w22.coarseStep, 10);
  EXPECT_EQ(w22.fineWindow, 96);
  const auto w48 = WindowsForRate(48000);
  EXPECT_EQ(w48.coarseWindow, 261);
  EXPECT_EQ(w48.coarseStep, 22);
  EXPECT_EQ(w48.fineWindow, 209);
}

TEST(Detector, ALoudBurstInNoiseIsPlacedBeforeItsAttackStepByStep) {
  std::vector<int16_t> samples = test::Noise(20000, 255, 7);
  const std::vector<int16_t> burst = test::Noise(8000, 20000, 8);
  for (size_t i = 0; i < burst.size(); ++i) {
    const int16_t s = burst[i];
    samples[5000 + i] = static_cast<int16_t>(s >= 0 ? std::max<int>(s, 1000) : std::min<int>(s, -1000));
  }
  Document doc = DocumentOf(samples);
  RecordingObserver observer;
  FindOnsets(doc, observer);
  ASSERT_GE(doc.SlicePointCount, 1);
  EXPECT_EQ(doc.SlicePoints[1].Position, 10260);  // block 25 triggered

  const SampleView data(doc.SampleStream.data(), doc.DataLength);
  const auto windows = WindowsForRate(44100);
  const int32_t coarse = CoarseRefine(data, 10260, windows);
  EXPECT_EQ(coarse, 2 * 4970);
  EXPECT_EQ(FineRefine(data, coarse, windows), 2 * 4968);
}

TEST(Detector, RefinementNearTheStartNeverGoesNegative) {
  std::vector<int16_t> samples(3000, 0);
  for (size_t i = 3; i < samples.size(); ++i) samples[i] = (i % 3 == 0) ? 30000 : -30000;
  const SampleView data(reinterpret_cast<const uint8_t*>(test::Pcm16(samples).data()), 0);
  const auto bytes = test::Pcm16(samples);
  const SampleView view(bytes.data(), static_cast<int32_t>(bytes.size()));
  const auto windows = WindowsForRate(44100);
  for (int32_t pos = 0; pos < 1200; pos += 2) {
    EXPECT_GE(CoarseRefine(view, pos, windows), 0);
    EXPECT_GE(FineRefine(view, pos, windows), 0);
    EXPECT_GE(BackwardWalk(view, pos), 0);
  }
  EXPECT_EQ(data.At(0), 0);
}

TEST(Detector, WalksStopAtTheDataEdges) {
  // Falling toward the end: the forward walk stops at the last full read.
  std::vector<int16_t> samples(64);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(10000 - 150 * i);
  const auto bytes = test::Pcm16(samples);
  const SampleView view(bytes.data(), static_cast<int32_t>(bytes.size()));
  const int32_t end = ForwardWalk(view, 0);
  EXPECT_LT(end, view.Length());
  EXPECT_GT(end, 60);
  // Rising toward the end: the backward walk goes back toward byte 0 but never below.
  std::vector<int16_t> rising(samples.rbegin(), samples.rend());
  const auto rbytes = test::Pcm16(rising);
  const SampleView rview(rbytes.data(), static_cast<int32_t>(rbytes.size()));
  const int32_t start = BackwardWalk(rview, 120);
  EXPECT_GE(start, 0);
  EXPECT_LT(start, 120);
  // The first step never moves a point.
  EXPECT_EQ(BackwardWalk(view, 40), 40);
}

TEST(Detector, SlowRatesLeaveTheCoarseStepAlone) {
  std::vector<int16_t> samples(20000, 0);
  samples[8000] = 30000;
  Document doc = DocumentOf(samples, 1000);
  const auto windows = WindowsForRate(1000);
  EXPECT_EQ(windows.coarseStep, 0);
  DetectSlicePoints(doc, 100);  // must not divide by zero
  EXPECT_EQ(doc.SlicePointCount, 1);
}

TEST(Detector, StrengthIsSaturatedNotWrapped) {
  // Loud audio before a point, a span of 0 after it: -65535 * Q would wrap.
  std::vector<int16_t> samples(4000);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = i % 2 ? 32767 : -32768;
  const auto bytes = test::Pcm16(samples);
  const int32_t strength = PointStrength(bytes.data(), static_cast<int32_t>(bytes.size()), 4000, 4000);
  EXPECT_EQ(strength, INT32_MIN);
  // A window that starts before the data gives a range of 0 before the point.
  // P = 65535 (the quirky signed peak), so (P - 0) / (P + 1) * 65535 rounds to 65534.
  EXPECT_EQ(PointStrength(bytes.data(), static_cast<int32_t>(bytes.size()), 1000, 5000), 65534);
}

TEST(Detector, SelectionFollowsThresholdFlagsAndLocks) {
  Document doc = DocumentOf(std::vector<int16_t>(1000, 0));
  doc.RescanPending = false;
  doc.SlicePointCount = 5;
  doc.SlicePoints[1] = {100, 500, true, false};     // enabled, above
  doc.SlicePoints[2] = {200, 400, true, false};     // equal to threshold: not active
  doc.SlicePoints[3] = {300, 60000, false, false};  // disabled: never active
  doc.SlicePoints[4] = {400, -50, false, true};     // locked and disabled: active
  doc.SlicePoints[5] = {500, -1, true, false};      // negative: not even at -1
  doc.SlicePoints[6] = {doc.DataLength, 0, false, false};
  doc.Threshold = 400;
  RecordingObserver observer;
  DetectSlicePoints(doc, 1000, observer);
  ASSERT_EQ(doc.ActivePointCount, 2);
  EXPECT_EQ(doc.ActivePoints[1].Position, 100);
  EXPECT_EQ(doc.ActivePoints[2].Position, 400);
  EXPECT_EQ(doc.ActivePoints[3].Position, doc.DataLength);
  EXPECT_DOUBLE_EQ(doc.ActivePointX[1], 50.0);
  EXPECT_EQ(observer.disabled, (std::vector<int32_t>{300}));
  EXPECT_EQ(observer.marks, 1);

  doc.Threshold = -1;
  DetectSlicePoints(doc, 1000, observer);
  EXPECT_EQ(doc.ActivePointCount, 3);
  EXPECT_EQ(doc.SlicePoints[5].Strength, -1);  // reselection changes no point
}

TEST(Detector, TheTableStopsAt8192PointsAndWarnsEveryRun) {
  // A click every four blocks gives more onsets than the table holds.
  std::vector<int16_t> samples(8300 * 820 + 2000, 0);
  for (size_t i = 300; i + 820 < samples.size(); i += 820) samples[i] = 30000;
  Document doc = DocumentOf(samples);
  RecordingObserver observer;
  DetectSlicePoints(doc, 1000, observer);
  EXPECT_EQ(doc.SlicePointCount, PointLimit);
  EXPECT_EQ(observer.limitWarnings, 1);
  EXPECT_EQ(doc.SlicePoints[PointLimit + 1].Position, doc.DataLength);
  DetectSlicePoints(doc, 1000, observer);  // reselection while full warns again
  EXPECT_EQ(observer.limitWarnings, 2);
}

TEST(Detector, TooLittleDataForABlockGivesNoPoint) {
  Document doc = DocumentOf(test::Noise(307, 30000, 3));  // 614 bytes
  DetectSlicePoints(doc, 100);
  EXPECT_EQ(doc.SlicePointCount, 0);
  Document empty = DocumentOf({});
  DetectSlicePoints(empty, 100);
  EXPECT_EQ(empty.SlicePointCount, 0);
  EXPECT_EQ(empty.ActivePoints[1].Position, 0);
}

TEST(Detector, ThresholdChangesOnlyReselect) {
  Document doc = DocumentOf(test::DrumLoop(120000, 11025, 5));
  DetectSlicePoints(doc, 654);
  ASSERT_GT(doc.SlicePointCount, 4);
  const auto before = doc.SlicePoints;
  std::vector<int32_t> activeAtLow;
  doc.Threshold = 100;
  DetectSlicePoints(doc, 654);
  for (int32_t k = 1; k <= doc.ActivePointCount; ++k) activeAtLow.push_back(doc.ActivePoints[k].Position);
  doc.Threshold = 65000;
  DetectSlicePoints(doc, 654);
  doc.Threshold = 100;
  DetectSlicePoints(doc, 654);
  EXPECT_EQ(doc.SlicePoints, before);
  std::vector<int32_t> again;
  for (int32_t k = 1; k <= doc.ActivePointCount; ++k) again.push_back(doc.ActivePoints[k].Position);
  EXPECT_EQ(again, activeAtLow);
  EXPECT_FALSE(activeAtLow.empty());
}

TEST(Detector, ARescanFindsTheDrumHitsOfALoop) {
  const size_t spacing = 11025;
  Document doc = DocumentOf(test::DrumLoop(spacing * 8, spacing, 11));
  DetectSlicePoints(doc, 654);
  // Every hit after the first is found, a little before its attack.
  for (size_t hit = 1; hit < 8; ++hit) {
    const int32_t attack = static_cast<int32_t>(2 * hit * spacing);
    const auto positions = Positions(doc);
    const bool found = std::any_of(positions.begin(), positions.end(),
                                   [&](int32_t p) { return p <= attack + 820 && p >= attack - 1000; });
    EXPECT_TRUE(found) << "hit " << hit;
  }
}

}  // namespace
}  // namespace slicewright
