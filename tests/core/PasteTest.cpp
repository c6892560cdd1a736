#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EditTestDocument.h"
#include "edit/Paste.h"
#include "edit/PointOperations.h"
#include "edit/SegmentEdits.h"
#include "edit/Undo.h"

namespace slicewright {
namespace {

using test::EditDocument;
using test::Finish;
using test::Point;
using test::PointPositions;
using test::Samples;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<int16_t> Constant(size_t count, int16_t value) { return std::vector<int16_t>(count, value); }

// Every point lies inside the data and the end entries sit at its end.
void ExpectTablesInsideTheData(const Document& doc) {
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) EXPECT_LT(doc.SlicePoints[k].Position, doc.DataLength);
  EXPECT_EQ(doc.SlicePoints[doc.SlicePointCount + 1].Position, doc.DataLength);
  EXPECT_EQ(doc.ActivePoints[doc.ActivePointCount + 1].Position, doc.DataLength);
  EXPECT_LE(doc.SelectedSegment, doc.SegmentCount());
}

TEST(PasteAllAndKeep, ACopyOfTheWholeAudioGivesTheSameDocumentBack) {
  const std::vector<int16_t> audio = test::Ramp(1000);
  Document doc = EditDocument(audio, {Point(400), Point(1200)});
  const EditOutcome outcome = PasteAllAndKeep(doc, test::Wave(audio));
  Finish(doc, outcome);
  EXPECT_THAT(Samples(doc), ElementsAreArray(audio));
  EXPECT_THAT(PointPositions(doc), ElementsAre(400, 1200));
  EXPECT_EQ(doc.Undo.Kind, UndoKind::PasteKeep);
  EXPECT_EQ(doc.Undo.UndoStream, test::Pcm16(audio));
  EXPECT_EQ(doc.Undo.UndoLength, 2000);
  EXPECT_TRUE(outcome.StopPlayback);
  EXPECT_TRUE(outcome.UndoAvailable);
  EXPECT_EQ(outcome.Buttons, LocatorButtons::FromPositions);
}

TEST(PasteAllAndKeep, ShorterAudioDropsThePointsPastItsEnd) {
  Document doc = EditDocument(test::Ramp(1000), {Point(400), Point(1200), Point(1600)});
  doc.LeftLocatorPos = 1200;
  doc.SelectedSegment = 4;
  doc.ViewStart = 500;
  doc.ViewLength = doc.ViewEnd = 1000;
  const EditOutcome outcome = PasteAllAndKeep(doc, test::Wave(Constant(600, 3)));
  EXPECT_EQ(doc.DataLength, 1200);
  EXPECT_THAT(PointPositions(doc), ElementsAre(400));
  ExpectTablesInsideTheData(doc);
  EXPECT_EQ(doc.RightLocatorPos, 1200);
  EXPECT_EQ(doc.LeftLocatorPos, 0);  // it would lie at the very end of the audio
  EXPECT_EQ(doc.ViewStart, 0);
  EXPECT_EQ(doc.ViewEnd, 1200);
  EXPECT_EQ(doc.ViewLength, 1200);
  EXPECT_TRUE(doc.PlayBufferStale);
  EXPECT_FALSE(doc.RescanPending);

  Finish(doc, outcome);
  ExpectTablesInsideTheData(doc);
  EXPECT_EQ(doc.LeftLocatorSegment, 1);
  EXPECT_EQ(doc.RightLocatorSegment, 2);
}

TEST(PasteAllAndKeep, UndoPuttingBackShorterAudioAlsoDropsPoints) {
  Document doc = EditDocument(test::Ramp(100), {Point(40)});
  Finish(doc, PasteAllAndKeep(doc, test::Wave(test::Ramp(1000))));
  Finish(doc, AddPoint(doc, 1500, false));
  doc.Undo.Kind = UndoKind::PasteKeep;  // as if the paste came last
  doc.Undo.UndoStream = test::Pcm16(test::Ramp(100));
  doc.Undo.UndoLength = 200;

  const EditOutcome undo = UndoLastOperation(doc, false);
  Finish(doc, undo);
  EXPECT_EQ(doc.DataLength, 200);
  EXPECT_THAT(PointPositions(doc), ElementsAre(40));
  ExpectTablesInsideTheData(doc);
  EXPECT_EQ(doc.RightLocatorSegment, doc.SegmentCount());
  EXPECT_TRUE(doc.PlayBufferStale);

  Finish(doc, UndoLastOperation(doc, false));
  EXPECT_EQ(doc.DataLength, 2000);
  EXPECT_THAT(Samples(doc), ElementsAreArray(test::Ramp(1000)));
}

TEST(PasteAllAndKeep, UndoGivesBackEveryPointAndASecondUndoRedoes) {
  Document doc =
      EditDocument(test::Ramp(1000), {Point(400, 9, true, false), Point(1200, 8, false, true), Point(1600)});
  const std::vector<SlicePoint> before(doc.SlicePoints.begin(), doc.SlicePoints.begin() + 5);
  Finish(doc, PasteAllAndKeep(doc, test::Wave(Constant(300, 3))));
  const std::vector<SlicePoint> pasted(doc.SlicePoints.begin(), doc.SlicePoints.begin() + 3);
  ASSERT_EQ(doc.SlicePointCount, 1);

  test::UndoAndFinish(doc);
  EXPECT_EQ(std::vector<SlicePoint>(doc.SlicePoints.begin(), doc.SlicePoints.begin() + 5), before);
  EXPECT_EQ(doc.SlicePointCount, 3);
  test::UndoAndFinish(doc);
  EXPECT_EQ(doc.DataLength, 600);
  EXPECT_EQ(std::vector<SlicePoint>(doc.SlicePoints.begin(), doc.SlicePoints.begin() + 3), pasted);
}

TEST(PasteAllAndFindNew, ReplacesTheAudioAndScansItAfresh) {
  Document doc = EditDocument(test::Ramp(100), {Point(40, 40000, true, true)});
  const std::vector<int16_t> loop = test::DrumLoop(44100, 11025, 7);
  const EditOutcome outcome = PasteAllAndFindNew(doc, test::Wave(loop));
  EXPECT_TRUE(doc.RescanPending);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::PasteNew);
  Finish(doc, outcome);
  EXPECT_FALSE(doc.RescanPending);
  EXPECT_THAT(Samples(doc), ElementsAreArray(loop));
  EXPECT_GT(doc.SlicePointCount, 1);
  ExpectTablesInsideTheData(doc);

  Finish(doc, UndoLastOperation(doc, false));  // back to the first audio, scanned afresh
  EXPECT_EQ(doc.DataLength, 200);
  ExpectTablesInsideTheData(doc);
}

TEST(PasteAll, AClipInAnotherFormatIsTakenAsRawSamples) {
  Document doc = EditDocument(test::Ramp(100));
  const std::vector<uint8_t> eightBitStereo = {1, 2, 3, 4, 5, 6};
  PasteAllAndKeep(doc,
                  test::Riff("WAVE", {test::FmtChunk(1, 2, 22050, 8), test::Chunk("data", eightBitStereo)}));
  EXPECT_EQ(doc.SampleStream, eightBitStereo);
  EXPECT_EQ(doc.SampleRate, 44100);
  EXPECT_EQ(doc.Channels, 1);
}

TEST(PasteAll, KeepsWholeSamplesOfWhatTheBlockHolds) {
  Document doc = EditDocument(test::Ramp(100));
  test::Bytes claimsMore;
  claimsMore.Text("RIFF").U32(0).Text("WAVE").Text("data").U32(4000).U16(7).U16(8).data.push_back(9);
  PasteAllAndKeep(doc, claimsMore.data);
  EXPECT_EQ(doc.DataLength, 4);
  EXPECT_THAT(Samples(doc), ElementsAre(7, 8));
}

TEST(PasteAll, AMalformedBlockLeavesTheDocumentUsable) {
  test::Bytes noRiff;
  noRiff.Text("JUNK").Text("data").U32(2).U16(1);
  test::Bytes noData;
  noData.Text("RIFF").U32(4).Text("WAVE");
  test::Bytes emptyData;
  emptyData.Text("RIFF").Text("data").U32(0);
  for (const auto& block : {noRiff.data, noData.data, emptyData.data}) {
    for (const bool keep : {true, false}) {
      Document doc = EditDocument({1, 2, 3, 4}, {Point(4)});
      ReverseSegment(doc, 6);
      const Document before = doc;
      const EditOutcome outcome = keep ? PasteAllAndKeep(doc, block) : PasteAllAndFindNew(doc, block);
      EXPECT_FALSE(outcome.Changed);
      EXPECT_EQ(doc.SampleStream, before.SampleStream);
      EXPECT_EQ(doc.DataLength, 4 * 2);
      EXPECT_EQ(doc.SlicePoints, before.SlicePoints);
      EXPECT_EQ(doc.RightLocatorPos, before.RightLocatorPos);
      EXPECT_EQ(doc.Undo.Kind, keep ? UndoKind::PasteKeep : UndoKind::PasteNew);
      // The reverse's saved bytes are gone, so Undo cannot lay them over the whole audio.
      EXPECT_EQ(doc.Undo.UndoLength, 0);
      EXPECT_FALSE(UndoLastOperation(doc, false).Changed);
      EXPECT_EQ(doc.SampleStream, before.SampleStream);
    }
  }
}

TEST(PasteIntoSegment, AShortClipLeavesSilenceAndALongOneIsCut) {
  Document doc = EditDocument(Constant(10, 5), {Point(4), Point(14)});
  const EditOutcome outcome = PasteIntoSegment(doc, test::Wave({-1, -2}), 4, 10);
  EXPECT_THAT(Samples(doc), ElementsAre(5, 5, -1, -2, 0, 0, 0, 5, 5, 5));
  EXPECT_EQ(doc.DataLength, 20);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::PasteSegment);
  EXPECT_EQ(doc.Undo.UndoStart, 4);
  EXPECT_EQ(doc.Undo.UndoLength, 10);
  EXPECT_TRUE(outcome.UndoAvailable);
  EXPECT_FALSE(outcome.StopPlayback);

  PasteIntoSegment(doc, test::Wave(test::Ramp(8)), 4, 10);
  EXPECT_THAT(Samples(doc), ElementsAre(5, 5, 1, 2, 3, 4, 5, 5, 5, 5));
  EXPECT_THAT(PointPositions(doc), ElementsAre(4, 14));

  UndoLastOperation(doc, false);
  EXPECT_THAT(Samples(doc), ElementsAre(5, 5, -1, -2, 0, 0, 0, 5, 5, 5));
  UndoLastOperation(doc, false);
  EXPECT_THAT(Samples(doc), ElementsAre(5, 5, 1, 2, 3, 4, 5, 5, 5, 5));
}

TEST(PasteIntoSegment, RewritesThePlayBufferButNotItsFlag) {
  Document doc = EditDocument(Constant(6, 5), {Point(4)});
  doc.PlayBufferStart = 2;
  doc.PlayBufferLength = 6;
  const EditOutcome outcome = PasteIntoSegment(doc, test::Wave({9}), 4, 8);
  EXPECT_TRUE(outcome.PlayBufferRewritten);
  EXPECT_EQ(std::vector<uint8_t>(doc.PlayBuffer.begin(), doc.PlayBuffer.begin() + 6), test::Pcm16({5, 9, 0}));
  EXPECT_FALSE(doc.PlayBufferStale);
}

TEST(PasteIntoSegment, AMalformedBlockChangesNoAudio) {
  Document doc = EditDocument(Constant(6, 5), {Point(4)});
  SilenceSegment(doc, 2);
  const std::vector<uint8_t> silenced = doc.SampleStream;
  test::Bytes noData;
  noData.Text("RIFF").U32(4).Text("WAVE");
  EXPECT_FALSE(PasteIntoSegment(doc, noData.data, 4, 8).Changed);
  EXPECT_EQ(doc.SampleStream, silenced);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::PasteSegment);
  EXPECT_FALSE(UndoLastOperation(doc, false).Changed);
  EXPECT_EQ(doc.SampleStream, silenced);
}

TEST(PasteIntoSegment, ARangePastTheDataIsCutAtItsEnd) {
  Document doc = EditDocument(Constant(4, 5));
  PasteIntoSegment(doc, test::Wave({1, 2, 3, 4}), 4, 100);
  EXPECT_THAT(Samples(doc), ElementsAre(5, 5, 1, 2));
  EXPECT_EQ(doc.Undo.UndoLength, 4);
}

}  // namespace
}  // namespace slicewright
