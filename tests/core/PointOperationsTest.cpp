#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "EditTestDocument.h"
#include "detect/Sensitivity.h"
#include "edit/PointOperations.h"

namespace slicewright {
namespace {

using test::EditDocument;
using test::Finish;
using test::Point;
using test::PointPositions;
using ::testing::ElementsAre;

TEST(AddPoint, IsLockedEnabledAndActiveAtAnyThreshold) {
  Document doc = EditDocument(test::Ramp(1000));
  doc.Threshold = 65535;
  const EditOutcome outcome = AddPoint(doc, 400, false);
  Finish(doc, outcome);
  EXPECT_THAT(PointPositions(doc), ElementsAre(400));
  EXPECT_EQ(doc.SlicePoints[1], (SlicePoint{400, HandAddedStrength, true, true}));
  EXPECT_EQ(doc.ActivePointCount, 1);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Add);
  EXPECT_EQ(doc.Undo.UndoStart, 400);
  EXPECT_EQ(doc.Undo.UndoIndex, 1);
  EXPECT_TRUE(outcome.UndoAvailable);
  EXPECT_TRUE(outcome.EnableZoomToSegment);
}

TEST(AddPoint, AtCurrentLengthTakesThresholdPlusTen) {
  Document doc = EditDocument(test::Ramp(1000));
  doc.Threshold = ThresholdForSlider(1000);
  AddPoint(doc, 400, true);
  EXPECT_EQ(doc.SlicePoints[1].Strength, 65545 - 1000);
}

TEST(AddPoint, OnAnExistingPointsSampleGoesAfterItAndBothStay) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200, 12345), Point(600)});
  AddPoint(doc, 200, false);
  EXPECT_THAT(PointPositions(doc), ElementsAre(200, 200, 600));
  EXPECT_EQ(doc.SlicePoints[1].Strength, 12345);
  EXPECT_EQ(doc.SlicePoints[2].Strength, HandAddedStrength);
  EXPECT_EQ(doc.Undo.UndoIndex, 2);
  EXPECT_EQ(doc.SlicePoints[4].Position, doc.DataLength);
}

TEST(AddPoint, StaysInsideTheDataAndOnASample) {
  Document doc = EditDocument(test::Ramp(1000));
  AddPoint(doc, doc.DataLength + 50, false);
  AddPoint(doc, -8, false);
  EXPECT_THAT(PointPositions(doc), ElementsAre(0, doc.DataLength - 2));
  EXPECT_EQ(doc.SlicePoints[0].Position, 0);
  EXPECT_EQ(doc.SlicePoints[3].Position, doc.DataLength);
}

TEST(AddPoint, IsRefusedWhenTheTableIsFull) {
  Document doc = EditDocument(test::Ramp(20000));
  for (int32_t k = 1; k <= PointLimit; ++k) doc.SlicePoints[k] = Point(2 * k, 100);
  doc.SlicePointCount = PointLimit;
  doc.SlicePoints[PointLimit + 1] = SlicePoint{doc.DataLength, 0, false, false};
  doc.Undo.Kind = UndoKind::Reverse;

  const EditOutcome outcome = AddPoint(doc, 30000, false);
  EXPECT_TRUE(outcome.PointTableFull);
  EXPECT_FALSE(outcome.Changed);
  EXPECT_EQ(doc.SlicePointCount, PointLimit);
  EXPECT_EQ(doc.SlicePoints[PointLimit + 1].Position, doc.DataLength);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Reverse);
  EXPECT_EQ(doc.SlicePoints.size(), static_cast<size_t>(PointTableSize));
}

TEST(DragLinePosition, IsTheNearestSampleOfTheViewInsideTheData) {
  Document doc = EditDocument(test::Ramp(1000));  // 2000 bytes over 1000 columns
  EXPECT_EQ(DragLinePosition(doc, 250, 1000), 500);
  doc.ViewStart = 1000;
  doc.ViewLength = 3;  // 0.003 bytes per column: column 500 is byte 1001.5, sample 500.75
  EXPECT_EQ(DragLinePosition(doc, 500, 1000), 1002);
  EXPECT_EQ(DragLinePosition(doc, 3000, 1000), 1008);  // sample 504.5: halves go to even
  EXPECT_EQ(DragLinePosition(doc, 5000, 1000), 1016);  // sample 507.5
  doc.ViewLength = 1000;
  EXPECT_EQ(DragLinePosition(doc, 2000, 1000), doc.DataLength - 2);
}

TEST(MovePoint, PastTwoNeighboursKeepsTheTableSortedAndTheSegmentCount) {
  Document doc =
      EditDocument(test::Ramp(1000), {Point(200, 41000, true, false), Point(400), Point(600), Point(800)});
  ASSERT_TRUE(ArmPointDrag(doc, 1));
  const EditOutcome outcome = MovePoint(doc, 1, 700);
  Finish(doc, outcome);
  EXPECT_THAT(PointPositions(doc), ElementsAre(400, 600, 700, 800));
  EXPECT_EQ(doc.SlicePoints[3].Strength, 41000);
  EXPECT_EQ(doc.SegmentCount(), 5);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Edit);
  EXPECT_EQ(doc.Undo.UndoStart, 200);
  EXPECT_EQ(doc.Undo.UndoIndex, 3);
}

TEST(MovePoint, OntoAnotherPointKeepsBoth) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200, 31000), Point(400, 32000)});
  MovePoint(doc, 2, 200);
  EXPECT_THAT(PointPositions(doc), ElementsAre(200, 200));
  EXPECT_EQ(doc.SlicePoints[1].Strength, 32000);  // the moved point goes first
  EXPECT_EQ(doc.SlicePoints[2].Strength, 31000);
}

TEST(MovePoint, TheDraggedPointMovesEvenWhenAnotherSharesItsPlace) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200, 31000), Point(200, 32000, true, true)});
  MovePoint(doc, 2, 600);
  EXPECT_THAT(PointPositions(doc), ElementsAre(200, 600));
  EXPECT_EQ(doc.SlicePoints[1].Strength, 31000);
  EXPECT_EQ(doc.SlicePoints[2], Point(600, 32000, true, true));
}

TEST(MovePoint, ToTheStartStaysAfterTheStartEntry) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200), Point(400)});
  MovePoint(doc, 2, -20);
  Finish(doc, PointsChanged(true));
  EXPECT_THAT(PointPositions(doc), ElementsAre(0, 200));
  EXPECT_EQ(doc.SlicePoints[0], SlicePoint{});
  EXPECT_THAT(test::ActivePositions(doc), ElementsAre(0, 200));
}

TEST(PointTools, TheFixedEntriesAreNeverEdited) {
  Document doc = EditDocument(test::Ramp(1000), {Point(200)});
  const Document before = doc;
  EXPECT_FALSE(ArmPointDrag(doc, 0));
  EXPECT_FALSE(MovePoint(doc, 2, 400).Changed);
  EXPECT_FALSE(EnablePoint(doc, 0).Changed);
  EXPECT_FALSE(LockPoint(doc, 2).Changed);
  EXPECT_EQ(doc.SlicePoints, before.SlicePoints);
  EXPECT_TRUE(doc.Undo.Kind == UndoKind::None);
}

TEST(PointTools, EnableAndLockFlagRules) {
  Document doc =
      EditDocument(test::Ramp(1000), {Point(200, 40000, true, true), Point(400, 100, false, false)});

  DisablePoint(doc, 1);  // disabling a locked point also unlocks it
  EXPECT_FALSE(doc.SlicePoints[1].Enabled);
  EXPECT_FALSE(doc.SlicePoints[1].Locked);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Disable);

  LockPoint(doc, 2);  // locking a disabled point also enables it
  EXPECT_TRUE(doc.SlicePoints[2].Enabled);
  EXPECT_TRUE(doc.SlicePoints[2].Locked);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Lock);
  EXPECT_EQ(doc.Undo.UndoIndex, 2);

  UnlockPoint(doc, 2);
  EXPECT_TRUE(doc.SlicePoints[2].Enabled);
  EXPECT_FALSE(doc.SlicePoints[2].Locked);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Unlock);

  EnablePoint(doc, 1);
  EXPECT_TRUE(doc.SlicePoints[1].Enabled);
  EXPECT_FALSE(doc.SlicePoints[1].Locked);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Enable);
  EXPECT_EQ(doc.Undo.UndoIndex, 1);

  Finish(doc, PointsChanged(true));
  EXPECT_THAT(test::ActivePositions(doc), ElementsAre(200));  // strength 100 is below the threshold
}

TEST(PointTools, LockAllLocksEveryPointOnAnActivePositionAndRecordsNoUndo) {
  Document doc = EditDocument(
      test::Ramp(1000), {Point(200), Point(200, 100), Point(400, 100), Point(600, 50000, false, false)});
  doc.Undo.Kind = UndoKind::Reverse;
  const EditOutcome outcome = LockAll(doc);
  EXPECT_FALSE(outcome.UndoAvailable);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Reverse);
  EXPECT_TRUE(doc.SlicePoints[1].Locked);
  EXPECT_TRUE(doc.SlicePoints[2].Locked);  // weak, but on an active point's position
  EXPECT_FALSE(doc.SlicePoints[3].Locked);
  EXPECT_FALSE(doc.SlicePoints[4].Locked);

  doc.Threshold = 65535;
  Finish(doc, outcome);
  EXPECT_THAT(test::ActivePositions(doc), ElementsAre(200, 200));

  Finish(doc, UnlockAll(doc));
  EXPECT_EQ(doc.ActivePointCount, 0);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::Reverse);
}

TEST(PointTools, LocatorsKeepTheirBytesAndTheirSegmentsFollow) {
  Document doc = EditDocument(test::Ramp(1000), {Point(400), Point(800), Point(1200)});
  doc.LeftLocatorPos = 800;
  doc.RightLocatorPos = 1200;
  DeriveLocatorSegments(doc);
  ASSERT_EQ(doc.LeftLocatorSegment, 3);
  ASSERT_EQ(doc.RightLocatorSegment, 3);

  Finish(doc, AddPoint(doc, 100, false));
  EXPECT_EQ(doc.LeftLocatorPos, 800);
  EXPECT_EQ(doc.LeftLocatorSegment, 4);
  EXPECT_EQ(doc.RightLocatorSegment, 4);

  Finish(doc, DisablePoint(doc, 2));  // the point at 400 goes: L's segment moves down
  EXPECT_EQ(doc.LeftLocatorSegment, 3);
  EXPECT_EQ(doc.RightLocatorSegment, 3);

  Finish(doc, DisablePoint(doc, 3));  // L's own point goes: L lies inside segment 2
  EXPECT_EQ(doc.LeftLocatorPos, 800);
  EXPECT_EQ(doc.LeftLocatorSegment, 2);
  EXPECT_EQ(doc.RightLocatorSegment, 2);
}

}  // namespace
}  // namespace slicewright
