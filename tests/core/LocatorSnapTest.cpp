#include <gtest/gtest.h>

#include "EditTestDocument.h"
#include "edit/Locators.h"
#include "view/LocatorSegments.h"

namespace slicewright {
namespace {

using test::EditDocument;
using test::Point;

constexpr int32_t kWidth = 1000;  // 2000 bytes of audio: 2 bytes per column
constexpr int32_t kButton = 17;

// Points at 400, 800 and 1200: segments 0-400, 400-800, 800-1200, 1200-2000.
Document FourSegments() { return EditDocument(test::Ramp(1000), {Point(400), Point(800), Point(1200)}); }

void ExpectLeft(const Document& doc, int32_t position, int32_t segment) {
  EXPECT_EQ(doc.LeftLocatorPos, position);
  EXPECT_EQ(doc.LeftLocatorSegment, segment);
}

void ExpectRight(const Document& doc, int32_t position, int32_t segment) {
  EXPECT_EQ(doc.RightLocatorPos, position);
  EXPECT_EQ(doc.RightLocatorSegment, segment);
}

TEST(SnapLocators, WithoutActivePointsTheyGoToTheEnds) {
  Document doc = EditDocument(test::Ramp(1000), {Point(600, 100)});
  for (const int32_t edge : {-50, 0, 300, 990, 2000}) {
    SnapLeftLocator(doc, edge, kWidth);
    ExpectLeft(doc, 0, 1);
    const LocatorDrop right = SnapRightLocator(doc, edge, kButton, kWidth);
    ExpectRight(doc, 2000, 1);
    EXPECT_EQ(right.ButtonLeft, kWidth - kButton);
  }
}

TEST(SnapLocators, ExactlyOnASegmentsMiddle) {
  Document doc = FourSegments();
  // The middle of segment 2 is byte 600, column 300.
  SnapLeftLocator(doc, 300, kWidth);
  ExpectLeft(doc, 400, 2);  // L goes to the earlier point
  SnapLeftLocator(doc, 301, kWidth);
  ExpectLeft(doc, 800, 3);

  doc.LeftLocatorPos = 0;
  const LocatorDrop right = SnapRightLocator(doc, 300 - kButton, kButton, kWidth);
  ExpectRight(doc, 800, 2);  // R goes to the later point
  EXPECT_EQ(right.ButtonLeft, 400 - kButton);
  SnapRightLocator(doc, 299 - kButton, kButton, kWidth);
  ExpectRight(doc, 400, 1);
}

TEST(SnapLocators, LocatorsNeverCross) {
  Document doc = FourSegments();
  doc.LeftLocatorPos = 400;
  // R dropped left of the middle of L's segment (600), even left of L: the
  // region becomes L's segment.
  SnapRightLocator(doc, 250 - kButton, kButton, kWidth);
  ExpectRight(doc, 800, 2);
  SnapRightLocator(doc, 50 - kButton, kButton, kWidth);
  ExpectRight(doc, 800, 2);

  doc.RightLocatorPos = 1200;
  doc.RightLocatorSegment = 3;
  // L dropped right of the middle of R's segment (1000): L goes to its start.
  SnapLeftLocator(doc, 550, kWidth);
  ExpectLeft(doc, 800, 3);
  SnapLeftLocator(doc, 950, kWidth);
  ExpectLeft(doc, 800, 3);
}

TEST(SnapLocators, DropsOutsideTheAreaGoToTheFileEnds) {
  Document doc = FourSegments();
  const LocatorDrop left = SnapLeftLocator(doc, -400, kWidth);
  ExpectLeft(doc, 0, 1);
  EXPECT_EQ(left.ButtonLeft, 0);
  SnapRightLocator(doc, kWidth - kButton + 1, kButton, kWidth);
  ExpectRight(doc, 2000, 4);
  SnapRightLocator(doc, kWidth - kButton, kButton, kWidth);  // right edge at the last column
  ExpectRight(doc, 2000, 4);
  SnapLeftLocator(doc, 999, kWidth);  // beyond the last active point
  ExpectLeft(doc, 1200, 4);
}

TEST(SnapLocators, ZoomedDropsResolveOnTheFullFileScale) {
  Document doc = FourSegments();
  doc.ViewStart = 1000;
  doc.ViewLength = 500;
  doc.ViewEnd = 1500;
  // View column 100 is full-file column 525, byte 1050: past the middle of
  // segment 3 (1000), so L goes to 1200, drawn at view column 400.
  const LocatorDrop left = SnapLeftLocator(doc, 100, kWidth);
  ExpectLeft(doc, 1200, 4);
  EXPECT_EQ(left.ButtonLeft, 400);
}

TEST(SnapLocators, RightDerivesTheLeftSegmentFromLFirst) {
  Document doc = FourSegments();
  doc.LeftLocatorPos = 800;
  doc.LeftLocatorSegment = 1;                             // stale
  SnapRightLocator(doc, 450 - kButton, kButton, kWidth);  // byte 900, left of the middle of L's segment
  EXPECT_EQ(doc.LeftLocatorSegment, 3);
  ExpectRight(doc, 1200, 3);
}

TEST(LocatorSegments, ASensitivityChangeKeepsPositionsAndNamesTheSegmentsHoldingThem) {
  Document doc =
      EditDocument(test::Ramp(1000), {Point(400), Point(800, 31000), Point(1200, 32000), Point(1600)});
  doc.LeftLocatorPos = 800;
  doc.RightLocatorPos = 1200;
  DeriveLocatorSegments(doc);
  ExpectLeft(doc, 800, 3);
  ExpectRight(doc, 1200, 3);

  doc.Threshold = 31500;  // the point at 800 drops out: L lies inside segment 2 (400 .. 1200)
  DetectSlicePoints(doc, test::kTestWidth);
  DeriveLocatorSegments(doc);
  ExpectLeft(doc, 800, 2);
  ExpectRight(doc, 1200, 2);

  doc.Threshold = 35000;  // and the one at 1200: R lies inside segment 2 (400 .. 1600)
  DetectSlicePoints(doc, test::kTestWidth);
  DeriveLocatorSegments(doc);
  ExpectLeft(doc, 800, 2);
  ExpectRight(doc, 1200, 2);

  doc.Threshold = 65535;  // nothing is active: one segment holds both
  DetectSlicePoints(doc, test::kTestWidth);
  DeriveLocatorSegments(doc);
  ExpectLeft(doc, 800, 1);
  ExpectRight(doc, 1200, 1);
}

}  // namespace
}  // namespace slicewright
