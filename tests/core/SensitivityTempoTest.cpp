#include <gtest/gtest.h>

#include "detect/LoopTempo.h"
#include "detect/Sensitivity.h"

namespace slicewright {
namespace {

TEST(Sensitivity, SliderEndsAndLabel) {
  EXPECT_EQ(ThresholdForSlider(0), 65535);
  EXPECT_EQ(ThresholdForSlider(65536), -1);
  EXPECT_EQ(SensitivityLabel(ThresholdForSlider(0)), "0%");
  EXPECT_EQ(SensitivityLabel(ThresholdForSlider(32767)), "50%");
  EXPECT_EQ(SensitivityLabel(ThresholdForSlider(65536)), "100%");
  EXPECT_EQ(SensitivityLabel(ThresholdAfterLoad), "0%");
  // Position p shows round((p + 1) / 65536 * 100), halves to even.
  EXPECT_EQ(SensitivityLabel(ThresholdForSlider(327)), "1%");  // 0.4999
  EXPECT_EQ(SensitivityLabel(ThresholdForSlider(32767 + 327)), "50%");
  EXPECT_EQ(SliderForPercent(50), 32768);
  EXPECT_EQ(SliderForPercent(100), 65536);
}

TEST(Sensitivity, HandAddedPoints) {
  EXPECT_EQ(HandAddedPointStrength(ThresholdForSlider(1000), true), 65545 - 1000);
  EXPECT_EQ(HandAddedPointStrength(ThresholdForSlider(1000), false), 32768);
}

Document TwoSecondLoop() {
  Document doc;
  doc.SampleRate = 44100;
  doc.LeftLocatorPos = 1000;
  doc.RightLocatorPos = 1000 + 176400;
  return doc;
}

TEST(LoopTempo, ComputesBpmFromBarsAndBeats) {
  Document doc = TwoSecondLoop();
  auto update = UpdateLoopTempo(doc, "1", "0");
  EXPECT_EQ(update.caption, "120.0 BPM");
  EXPECT_TRUE(update.templateEnabled);
  EXPECT_EQ(doc.LoopBars, 1);
  EXPECT_DOUBLE_EQ(doc.LoopBpm, 120.0);
  EXPECT_EQ(UpdateLoopTempo(doc, "1", "2").caption, "180.0 BPM");
  EXPECT_EQ(UpdateLoopTempo(doc, "0", "3").caption, "90.0 BPM");
}

TEST(LoopTempo, PadsSlowTemposAndDisablesTheTemplateAtZero) {
  Document doc = TwoSecondLoop();
  doc.RightLocatorPos = doc.LeftLocatorPos + 176400 * 8;  // 16 seconds
  EXPECT_EQ(UpdateLoopTempo(doc, "0", "2").caption, " 7.5 BPM");
  const auto zero = UpdateLoopTempo(doc, "0", "0");
  EXPECT_EQ(zero.caption, " 0.0 BPM");
  EXPECT_FALSE(zero.templateEnabled);
}

TEST(LoopTempo, InvalidTextOrEmptyRegionKeepsTheStoredTempo) {
  Document doc = TwoSecondLoop();
  UpdateLoopTempo(doc, "2", "0");
  for (const auto& [bars, beats] : std::vector<std::pair<std::string, std::string>>{
           {"", "0"}, {"x", "1"}, {"1", "-1"}, {"1.5", "0"}, {"12a", "0"}}) {
    const auto update = UpdateLoopTempo(doc, bars, beats);
    EXPECT_FALSE(update.templateEnabled) << bars << "/" << beats;
    EXPECT_FALSE(update.caption.has_value());
  }
  EXPECT_EQ(doc.LoopBars, 2);
  EXPECT_DOUBLE_EQ(doc.LoopBpm, 240.0);
  doc.RightLocatorPos = doc.LeftLocatorPos;
  EXPECT_FALSE(UpdateLoopTempo(doc, "1", "0").templateEnabled);
  EXPECT_DOUBLE_EQ(doc.LoopBpm, 240.0);
}

}  // namespace
}  // namespace slicewright
