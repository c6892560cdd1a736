#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "EditTestDocument.h"
#include "detect/Sensitivity.h"
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
using test::UndoAndFinish;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST(Undo, AnEmptyRecordChangesNothing) {
  Document doc = EditDocument(test::Ramp(100), {Point(40)});
  const Document before = doc;
  EXPECT_FALSE(UndoLastOperation(doc, false).Changed);
  doc.Undo.Kind = UndoKind::Reverse;  // an audio kind without saved bytes
  EXPECT_FALSE(UndoLastOperation(doc, false).Changed);
  EXPECT_EQ(doc.SampleStream, before.SampleStream);
  EXPECT_EQ(doc.SlicePoints, before.SlicePoints);
}

TEST(Undo, AddKillAddCycle) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200), Point(800)});
  Finish(doc, AddPoint(doc, 500, false));
  ASSERT_THAT(PointPositions(doc), ElementsAre(200, 500, 800));

  UndoAndFinish(doc);
  EXPECT_THAT(PointPositions(doc), ElementsAre(200, 800));
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Kill);
  EXPECT_EQ(doc.SlicePoints[3].Position, doc.DataLength);
  EXPECT_EQ(doc.ActivePointCount, 2);

  doc.Threshold = ThresholdForSlider(3000);
  const EditOutcome redo = UndoAndFinish(doc, true);
  EXPECT_THAT(PointPositions(doc), ElementsAre(200, 500, 800));
  EXPECT_EQ(doc.SlicePoints[2], (SlicePoint{500, 65545 - 3000, true, true}));
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Add);
  EXPECT_EQ(doc.Undo.UndoIndex, 2);
  EXPECT_TRUE(redo.EnableZoomToSegment);

  UndoAndFinish(doc);
  EXPECT_THAT(PointPositions(doc), ElementsAre(200, 800));
}

TEST(Undo, OfAnAddOnAnExistingPointsSampleRemovesTheAddedPoint) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200, 12345, false, false)});
  AddPoint(doc, 200, false);
  UndoAndFinish(doc);
  ASSERT_THAT(PointPositions(doc), ElementsAre(200));
  EXPECT_EQ(doc.SlicePoints[1], Point(200, 12345, false, false));
}

TEST(Undo, PuttingBackAPointIntoAFullTableIsRefused) {
  Document doc = EditDocument(test::Ramp(20000));
  for (int32_t k = 1; k <= PointLimit; ++k) doc.SlicePoints[k] = Point(2 * k, 100);
  doc.SlicePointCount = PointLimit;
  doc.SlicePoints[PointLimit + 1] = SlicePoint{doc.DataLength, 0, false, false};
  doc.Undo.Kind = UndoKind::Kill;
  doc.Undo.UndoStart = 30000;

  const EditOutcome outcome = UndoLastOperation(doc, false);
  EXPECT_TRUE(outcome.PointTableFull);
  EXPECT_EQ(doc.SlicePointCount, PointLimit);
  EXPECT_EQ(doc.SlicePoints[PointLimit + 1].Position, doc.DataLength);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Kill);  // still there to retry once there is room
}

TEST(Undo, EditMovesThePointBackAndForth) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200, 41000), Point(400), Point(600)});
  ArmPointDrag(doc, 1);
  Finish(doc, MovePoint(doc, 1, 1000));
  ASSERT_THAT(PointPositions(doc), ElementsAre(400, 600, 1000));

  UndoAndFinish(doc);
  EXPECT_THAT(PointPositions(doc), ElementsAre(200, 400, 600));
  EXPECT_EQ(doc.SlicePoints[1].Strength, 41000);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Edit);

  UndoAndFinish(doc);
  EXPECT_THAT(PointPositions(doc), ElementsAre(400, 600, 1000));
  EXPECT_EQ(doc.SlicePoints[3].Strength, 41000);

  UndoAndFinish(doc);
  EXPECT_THAT(PointPositions(doc), ElementsAre(200, 400, 600));
}

TEST(Undo, EditOntoAnotherPointMovesOnlyTheDraggedOne) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200, 31000), Point(400, 32000)});
  MovePoint(doc, 1, 400);  // lands before the point already at 400
  UndoAndFinish(doc);
  EXPECT_EQ(doc.SlicePoints[1], Point(200, 31000));
  EXPECT_EQ(doc.SlicePoints[2], Point(400, 32000));
}

TEST(Undo, FlagKindsRestoreOnlyTheirOwnFlag) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200, 40000, true, true)});

  DisablePoint(doc, 1);  // also unlocks
  UndoAndFinish(doc);
  EXPECT_EQ(doc.SlicePoints[1], Point(200, 40000, true, false));
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Enable);
  UndoAndFinish(doc);
  EXPECT_EQ(doc.SlicePoints[1], Point(200, 40000, false, false));
  UndoAndFinish(doc);
  EXPECT_TRUE(doc.SlicePoints[1].Enabled);

  LockPoint(doc, 1);
  UndoAndFinish(doc);
  EXPECT_EQ(doc.SlicePoints[1], Point(200, 40000, true, false));
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Unlock);
  UndoAndFinish(doc);
  EXPECT_EQ(doc.SlicePoints[1], Point(200, 40000, true, true));
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Lock);

  UnlockPoint(doc, 1);
  UndoAndFinish(doc);
  EXPECT_EQ(doc.SlicePoints[1], Point(200, 40000, true, true));
  UndoAndFinish(doc);
  EXPECT_EQ(doc.SlicePoints[1], Point(200, 40000, true, false));
}

TEST(Undo, PointUndosDeriveTheLocatorSegmentsAgain) {
  Document doc = EditDocument(test::Ramp(1000), {Point(400), Point(1200)});
  doc.LeftLocatorPos = 1200;
  Finish(doc, AddPoint(doc, 100, false));
  ASSERT_EQ(doc.LeftLocatorSegment, 4);
  UndoAndFinish(doc);
  EXPECT_EQ(doc.LeftLocatorSegment, 3);
}

TEST(Undo, ReverseUndoRedo) {
  const std::vector<int16_t> original = {5, 6, 7, 8, 9, 10};
  Document doc = EditDocument(original, {Point(4)});
  ReverseSegment(doc, 8);
  const std::vector<int16_t> reversed = Samples(doc);
  ASSERT_THAT(reversed, ElementsAre(5, 6, 10, 9, 8, 7));

  const EditOutcome undo = UndoAndFinish(doc);
  EXPECT_THAT(Samples(doc), ElementsAreArray(original));
  EXPECT_FALSE(undo.StopPlayback);
  UndoAndFinish(doc);
  EXPECT_THAT(Samples(doc), ElementsAreArray(reversed));
  UndoAndFinish(doc);
  EXPECT_THAT(Samples(doc), ElementsAreArray(original));
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Reverse);
}

TEST(Undo, SilenceUndoRestoresTheFadeZoneToo) {
  const std::vector<int16_t> original = test::Ramp(1000);
  Document doc = EditDocument(original, {Point(500)});
  SilenceSegment(doc, 700);
  const std::vector<int16_t> silenced = Samples(doc);

  UndoAndFinish(doc);
  EXPECT_THAT(Samples(doc), ElementsAreArray(original));
  UndoAndFinish(doc);
  EXPECT_THAT(Samples(doc), ElementsAreArray(silenced));
}

TEST(Undo, SegmentUndoRewritesThePlayBufferButLeavesItsFlag) {
  Document doc = EditDocument({1, 2, 3, 4}, {Point(4)});
  ReverseSegment(doc, 6);
  doc.PlayBufferStart = 0;
  doc.PlayBufferLength = 8;
  doc.PlayBuffer = test::Pcm16({1, 2, 4, 3});
  doc.PlayBufferStale = false;
  const EditOutcome outcome = UndoAndFinish(doc);
  EXPECT_TRUE(outcome.PlayBufferRewritten);
  EXPECT_EQ(doc.PlayBuffer, test::Pcm16({1, 2, 3, 4}));
  EXPECT_FALSE(doc.PlayBufferStale);
}

TEST(Undo, CropUndoPutsBackAudioAndLocatorsAndRedoCropsAgain) {
  const std::vector<int16_t> original = test::Ramp(1000);
  Document doc = EditDocument(original, {Point(400), Point(1000)});
  doc.LeftLocatorPos = 400;
  doc.RightLocatorPos = 1000;
  Finish(doc, CropRegion(doc));
  ASSERT_EQ(doc.DataLength, 600);
  doc.ViewStart = 100;
  doc.ViewLength = 50;
  doc.ViewEnd = 150;

  const EditOutcome undo = UndoLastOperation(doc, false);
  EXPECT_TRUE(doc.RescanPending);
  EXPECT_TRUE(undo.StopPlayback);
  EXPECT_TRUE(undo.ZoomOneToOne);
  EXPECT_EQ(undo.Buttons, LocatorButtons::FromPositions);
  Finish(doc, undo);
  EXPECT_THAT(Samples(doc), ElementsAreArray(original));
  EXPECT_EQ(doc.DataLength, 2000);
  EXPECT_EQ(doc.ViewStart, 0);
  EXPECT_EQ(doc.ViewLength, 2000);
  EXPECT_EQ(doc.ZoomFactor, 1.0);
  EXPECT_EQ(doc.LeftLocatorPos, 400);
  EXPECT_EQ(doc.RightLocatorPos, 1000);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Crop);
  EXPECT_EQ(doc.Undo.UndoLength, 600);

  UndoAndFinish(doc);
  EXPECT_EQ(doc.DataLength, 600);
  EXPECT_EQ(Samples(doc).front(), 201);
  EXPECT_EQ(doc.LeftLocatorPos, 0);
  EXPECT_EQ(doc.RightLocatorPos, 600);
  UndoAndFinish(doc);
  EXPECT_EQ(doc.DataLength, 2000);
  EXPECT_EQ(doc.LeftLocatorPos, 400);
}

}  // namespace
}  // namespace slicewright
