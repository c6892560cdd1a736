#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "EditTestDocument.h"
#include "edit/SegmentEdits.h"

namespace slicewright {
namespace {

using test::EditDocument;
using test::Point;
using test::Samples;
using ::testing::ElementsAre;

// The one rule for the segment that holds a byte, used by every command that
// works on the segment under the pointer.
TEST(SegmentHolding, ABoundBelongsToTheSegmentThatStartsThere) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200), Point(600), Point(600)});
  EXPECT_EQ(doc.SegmentHolding(-10), 1);
  EXPECT_EQ(doc.SegmentHolding(0), 1);
  EXPECT_EQ(doc.SegmentHolding(199.5), 1);
  EXPECT_EQ(doc.SegmentHolding(200), 2);
  EXPECT_EQ(doc.SegmentHolding(600), 4);  // past the empty segment of the coinciding points
  EXPECT_EQ(doc.SegmentHolding(5000), 4);
  ReverseSegment(doc, 200);
  EXPECT_EQ(doc.Undo.UndoStart, 200);
  EXPECT_EQ(doc.Undo.UndoLength, 400);
}

TEST(Reverse, TurnsThreeSamplesBackToFrontAndBackAgain) {
  Document doc = EditDocument({9, 0x1234, -2, 0x0A0B, 7}, {Point(2), Point(8)});
  const EditOutcome outcome = ReverseSegment(doc, 5);
  EXPECT_THAT(Samples(doc), ElementsAre(9, 0x0A0B, -2, 0x1234, 7));
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Reverse);
  EXPECT_EQ(doc.Undo.UndoStart, 2);
  EXPECT_EQ(doc.Undo.UndoLength, 6);
  EXPECT_EQ(doc.Undo.UndoStream, test::Pcm16({0x1234, -2, 0x0A0B}));
  EXPECT_TRUE(outcome.UndoAvailable);
  EXPECT_TRUE(outcome.Refresh);
  EXPECT_FALSE(outcome.StopPlayback);
  EXPECT_TRUE(doc.PlayBufferStale);

  ReverseSegment(doc, 5);
  EXPECT_THAT(Samples(doc), ElementsAre(9, 0x1234, -2, 0x0A0B, 7));
  EXPECT_EQ(doc.SlicePoints[1].Position, 2);  // the points stay where they are
}

TEST(Reverse, RewritesThePlayBufferThatHoldsTheSegment) {
  Document doc = EditDocument({1, 2, 3, 4, 5, 6}, {Point(4)});
  doc.PlayBufferStart = 2;
  doc.PlayBufferLength = 8;
  const EditOutcome outcome = ReverseSegment(doc, 6);  // samples 3 .. 6
  EXPECT_TRUE(outcome.PlayBufferRewritten);
  EXPECT_EQ(std::vector<uint8_t>(doc.PlayBuffer.begin(), doc.PlayBuffer.begin() + 8),
            test::Pcm16({2, 6, 5, 4}));

  doc.PlayBufferStart = 0;
  doc.PlayBufferLength = 4;  // holds samples 1 and 2 only
  EXPECT_FALSE(ReverseSegment(doc, 6).PlayBufferRewritten);
}

TEST(Silence, TheFirstSegmentHasNoFade) {
  Document doc = EditDocument(test::Ramp(1000), {Point(600)});
  SilenceSegment(doc, 10);
  const std::vector<int16_t> samples = Samples(doc);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(samples[i], 0) << i;
  EXPECT_EQ(samples[300], 301);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Silence);
  EXPECT_EQ(doc.Undo.UndoStart, 0);
  EXPECT_EQ(doc.Undo.UndoLength, 600);
}

TEST(Silence, FadesTheFiveHundredBytesBeforeTheSegment) {
  std::vector<int16_t> loud(1000, -20000);
  Document doc = EditDocument(loud, {Point(500), Point(1000)});
  SilenceSegment(doc, 700);
  const std::vector<int16_t> samples = Samples(doc);
  EXPECT_EQ(samples[0], -20000);
  EXPECT_EQ(samples[1], std::lround(-20000.0 * 248 / 249));
  EXPECT_EQ(samples[124], std::lround(-20000.0 * 125 / 249));
  EXPECT_EQ(samples[249], 0);
  for (int i = 250; i < 500; ++i) ASSERT_EQ(samples[i], 0) << i;
  EXPECT_EQ(samples[500], -20000);
  EXPECT_EQ(doc.Undo.UndoStart, 0);
  EXPECT_EQ(doc.Undo.UndoLength, 1000);
  EXPECT_EQ(doc.Undo.UndoStream, test::Pcm16(std::vector<int16_t>(500, -20000)));
}

TEST(Silence, TheLastSegmentEndsAtTheEndOfTheData) {
  Document doc = EditDocument(test::Ramp(1000), {Point(1600)});
  SilenceSegment(doc, 1999);
  EXPECT_EQ(doc.DataLength, 2000);
  EXPECT_EQ(doc.SampleStream.size(), 2000u);
  EXPECT_EQ(doc.SampleAt(1998), 0);
  EXPECT_EQ(doc.SampleAt(1598), 0);    // the end of the fade zone
  EXPECT_EQ(doc.SampleAt(1100), 551);  // where the fade zone starts
  EXPECT_EQ(doc.Undo.UndoStart, 1100);
  EXPECT_EQ(doc.Undo.UndoLength, 900);
}

TEST(Crop, KeepsTheRegionAndAsksForFreshPoints) {
  Document doc = EditDocument(test::Ramp(1000), {Point(400), Point(1000), Point(1600)});
  doc.LeftLocatorPos = 400;
  doc.RightLocatorPos = 1000;
  doc.ViewStart = 200;
  doc.ViewLength = 100;
  doc.ViewEnd = 300;
  doc.ZoomFactor = 20;
  const EditOutcome outcome = CropRegion(doc);

  EXPECT_EQ(doc.DataLength, 600);
  EXPECT_EQ(Samples(doc).front(), 201);
  EXPECT_EQ(Samples(doc).back(), 500);
  EXPECT_EQ(doc.LeftLocatorPos, 0);
  EXPECT_EQ(doc.RightLocatorPos, 600);
  EXPECT_EQ(doc.ViewStart, 0);
  EXPECT_EQ(doc.ViewEnd, 600);
  EXPECT_EQ(doc.ViewLength, 600);
  EXPECT_EQ(doc.ZoomFactor, 1.0);
  EXPECT_TRUE(doc.RescanPending);
  EXPECT_TRUE(doc.PlayBufferStale);
  EXPECT_EQ(doc.SlicePoints[doc.SlicePointCount + 1].Position, 600);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Crop);
  EXPECT_EQ(doc.Undo.UndoStart, 0);
  EXPECT_EQ(doc.Undo.UndoLength, 2000);
  EXPECT_EQ(doc.Undo.UndoStream, test::Pcm16(test::Ramp(1000)));
  EXPECT_TRUE(outcome.StopPlayback);
  EXPECT_TRUE(outcome.UndoAvailable);
  EXPECT_EQ(outcome.Buttons, LocatorButtons::AtEnds);

  test::Finish(doc, outcome);
  EXPECT_FALSE(doc.RescanPending);
  EXPECT_EQ(doc.LeftLocatorSegment, 1);
  EXPECT_EQ(doc.RightLocatorSegment, doc.SegmentCount());
}

TEST(Crop, OfTheWholeFileKeepsTheAudioAndCanBeUndone) {
  Document doc = EditDocument(test::Ramp(100), {Point(40)});
  const EditOutcome outcome = CropRegion(doc);
  EXPECT_THAT(Samples(doc), ::testing::ElementsAreArray(test::Ramp(100)));
  EXPECT_TRUE(doc.RescanPending);
  EXPECT_TRUE(outcome.UndoAvailable);
  EXPECT_EQ(doc.Undo.UndoLength, 200);
}

TEST(Crop, AnEmptyRegionIsRefused) {
  Document doc = EditDocument(test::Ramp(100), {Point(40), Point(40, 35000)});
  doc.LeftLocatorPos = doc.RightLocatorPos = 40;
  doc.Undo.Kind = UndoKind::Reverse;
  const EditOutcome outcome = CropRegion(doc);
  EXPECT_FALSE(outcome.Changed);
  EXPECT_EQ(doc.DataLength, 200);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Reverse);
  EXPECT_FALSE(doc.RescanPending);
}

}  // namespace
}  // namespace slicewright
