#include <gtest/gtest.h>

#include <random>

#include "EditTestDocument.h"
#include "view/ViewRange.h"

namespace slicewright {
namespace {

// 128000 bytes over 640 columns, as the window tests' file: 200 bytes a column.
Document Whole() {
  Document doc = test::EditDocument(std::vector<int16_t>(64000, 0), {test::Point(40000), test::Point(80000)});
  doc.ViewWholeFile();
  return doc;
}

TEST(ViewRange, ZoomsKeepTheirLimitsRoundingAndAvailability) {
  Document doc = Whole();
  ZoomAvailability zooms;
  for (int i = 0; i < 5; ++i) zooms = ZoomIn(doc, 320, 640);
  EXPECT_EQ(doc.ZoomFactor, 32.0);
  EXPECT_EQ(doc.ViewLength, 128000 / 32);
  EXPECT_EQ(doc.ViewStart + doc.ViewLength / 2, 64000);
  EXPECT_FALSE(zooms.zoomIn);
  EXPECT_TRUE(zooms.zoomOut);

  zooms = ZoomIn(doc, 5, 640);  // near the start the view slides into the file
  EXPECT_EQ(doc.ViewStart, 0);
  // Round(16) = 16, then 8, 4, 2, and from Round(1) = 1 the whole file.
  for (const double factor : {16.0, 8.0, 4.0, 2.0}) {
    ZoomOut(doc);
    EXPECT_EQ(doc.ZoomFactor, factor);
  }
  zooms = ZoomOut(doc);
  EXPECT_EQ(doc.ViewLength, doc.DataLength);
  EXPECT_FALSE(zooms.zoomOut);

  EXPECT_TRUE(ZoomToSegment(doc, 2));
  EXPECT_EQ(doc.ViewStart, 40000);
  EXPECT_EQ(doc.ViewEnd, 80000);
  EXPECT_EQ(doc.SelectedSegment, 2);
  EXPECT_DOUBLE_EQ(doc.ZoomFactor, 3.2);
}

TEST(ViewRange, WheelZoomKeepsTheByteUnderThePointerAndScrollingStaysInside) {
  std::mt19937 rng(4);
  for (int i = 0; i < 200; ++i) {
    Document doc = Whole();
    const double x = std::uniform_int_distribution<int>(0, 639)(rng);
    // In and out, the byte under the pointer stays there (to within a sample,
    // unless the view had to slide back inside the file).
    for (const bool in : {true, true, false}) {
      const double before = ByteAtColumn(doc, x, 640);
      if (in) {
        ZoomInAtColumn(doc, x, 640);
      } else {
        ZoomOutAtColumn(doc, x, 640);
      }
      if (doc.ViewStart > 0 && doc.ViewEnd < doc.DataLength) {
        EXPECT_NEAR(ByteAtColumn(doc, x, 640), before, 2.0);
      }
    }
    EXPECT_EQ(doc.ZoomFactor, 2.0);
    ScrollView(doc, std::uniform_int_distribution<int64_t>(-200000, 200000)(rng));
    EXPECT_GE(doc.ViewStart, 0);
    EXPECT_LE(doc.ViewEnd, doc.DataLength);
    EXPECT_EQ(doc.ViewLength, doc.DataLength / 2);
    EXPECT_EQ(doc.ViewStart % 2, 0);
  }
}

TEST(ViewRange, ZoomingFarIntoAShortFileStillShowsASampleAndTheWheelStopsAtTheLimit) {
  Document doc = test::EditDocument(std::vector<int16_t>(20, 0));
  doc.ViewWholeFile();
  for (int i = 0; i < 6; ++i) ZoomIn(doc, 320, 640);
  EXPECT_GE(doc.ViewLength, 2);
  Document tight = Whole();
  ASSERT_TRUE(ZoomToSegment(tight, 2));
  tight.ViewEnd = tight.ViewStart + 2000;  // a factor of 64
  tight.ViewLength = 2000;
  tight.ZoomFactor = 64;
  EXPECT_FALSE(ZoomInAtColumn(tight, 100, 640).zoomIn);
  EXPECT_EQ(tight.ViewLength, 2000);
}

// The largest files open with nearly 2^31 bytes; views near their end must
// stay inside the data, where 32-bit sums would wrap.
TEST(ViewRange, ZoomsNearTheEndOfTheLargestFilesStayInside) {
  Document doc;
  doc.BitsPerSample = 16;
  doc.DataLength = 2'000'000'000;
  doc.ViewWholeFile();
  ZoomIn(doc, 639, 640);
  EXPECT_EQ(doc.ViewEnd, doc.DataLength);
  EXPECT_EQ(doc.ViewLength, doc.DataLength / 2);
  for (int i = 0; i < 4; ++i) ZoomIn(doc, 639, 640);
  ScrollViewTo(doc, doc.DataLength);
  ZoomOut(doc);
  EXPECT_EQ(doc.ViewEnd, doc.DataLength);
  EXPECT_EQ(doc.ViewLength, doc.DataLength / 16);
  EXPECT_EQ(doc.ViewStart, doc.ViewEnd - doc.ViewLength);
}

TEST(ViewRange, PointerColumnsSegmentsAndLocatorButtons) {
  Document doc = Whole();
  EXPECT_DOUBLE_EQ(ByteAtColumn(doc, 200, 640), 40000.0);
  EXPECT_EQ(SegmentAtColumn(doc, 200, 640), 2);  // on a point: the segment that starts there
  EXPECT_EQ(SegmentAtColumn(doc, 199.9, 640), 1);
  ZoomToSegment(doc, 2);
  EXPECT_DOUBLE_EQ(FullFileColumn(doc, 320, 640), 300.0);
  EXPECT_EQ(CarriedColumn(doc, 480, 0, 128000, 640), 896);  // byte 96000 lies past the view
  doc.LeftLocatorPos = 40000;
  doc.RightLocatorPos = 128000;
  const LocatorButtonPlaces places = PlaceLocatorButtons(doc, 640);
  EXPECT_TRUE(places.leftShown);
  EXPECT_EQ(places.leftEdge, 0);
  EXPECT_FALSE(places.rightShown);
}

}  // namespace
}  // namespace slicewright
