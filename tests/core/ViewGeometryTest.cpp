#include <gtest/gtest.h>

#include <numeric>

#include "document/Document.h"
#include "view/LocatorSegments.h"
#include "view/PixelMapping.h"
#include "view/WaveColumns.h"

namespace slicewright {
namespace {

Document ViewOf(const std::vector<int16_t>& samples) {
  Document doc;
  for (const int16_t s : samples) {
    doc.SampleStream.push_back(static_cast<uint8_t>(static_cast<uint16_t>(s) & 0xFF));
    doc.SampleStream.push_back(static_cast<uint8_t>(static_cast<uint16_t>(s) >> 8));
  }
  doc.DataLength = static_cast<int32_t>(doc.SampleStream.size());
  doc.ViewStart = 0;
  doc.ViewEnd = doc.DataLength;
  doc.ViewLength = doc.DataLength;
  return doc;
}

TEST(ViewPixelMapping, RoundsHalvesToEvenAndHandlesEmptyViews) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  // 1 byte of 4 over 2 columns is column 0.5: rounds to 0; 3 bytes is 1.5: to 2.
  EXPECT_EQ(ColumnOf(1, 0, 4, 2), 0);
  EXPECT_EQ(ColumnOf(3, 0, 4, 2), 2);
  EXPECT_EQ(ColumnOf(1000, 1000, 5000, 700), 0);
  EXPECT_EQ(ColumnOf(6000, 1000, 5000, 700), 700);
  EXPECT_EQ(ColumnOf(500, 1000, 5000, 700), -70);
  EXPECT_EQ(ColumnOf(123, 0, 0, 700), 0);
}

TEST(ViewPixelMapping, SampleUnderColumnAndWaveRows) {
  // Column 350 of 700 over bytes 1000 .. 6000 is byte 3500, sample 1750.
  EXPECT_EQ(SampleUnderColumn(350, 700, 1000, 5000, 2), 1750);
  EXPECT_EQ(SampleUnderColumn(5, 0, 0, 100, 2), 0);
  // H = 228: one level per row around the middle; full scale runs past the edges.
  EXPECT_EQ(WaveRow(0, 228), 114);
  EXPECT_EQ(WaveRow(127, 228), -13);
  EXPECT_EQ(WaveRow(-128, 228), 242);
  EXPECT_EQ(WaveRow(57, 100), 50 - 25);
}

TEST(ViewWaveColumns, FiveThousandBytesOverOneThousandColumnsTakeSixOrFourBytes) {
  Document doc = ViewOf(std::vector<int16_t>(2500, 0));
  const auto columns = WaveColumns(doc, 1000);
  ASSERT_EQ(columns.size(), 1000u);
  int64_t total = 0;
  for (const WaveColumn& c : columns) {
    EXPECT_TRUE(c.bytes == 6 || c.bytes == 4) << c.bytes;
    total += c.bytes;
  }
  EXPECT_EQ(total, 5000);
  EXPECT_EQ(columns.front().bytes, 6);
  EXPECT_EQ(columns.back().bytes, 4);
}

TEST(ViewWaveColumns, FewerSamplesThanColumnsGiveOneSampleOrNoneToEachColumn) {
  // 1000 bytes over 654 columns: the rounded share is one sample until the
  // share drops to a half; from column 450 on empty columns fall between
  // single samples, and every byte is drawn once.
  Document doc = ViewOf(std::vector<int16_t>(500, 0));
  const auto columns = WaveColumns(doc, 654);
  int filled = 0, empty = 0;
  for (int i = 0; i < 654; ++i) {
    ASSERT_TRUE(columns[i].bytes == 2 || columns[i].bytes == 0) << i;
    (columns[i].bytes == 2 ? filled : empty)++;
    if (i < 449) {
      EXPECT_EQ(columns[i].bytes, 2) << i;
    }
  }
  EXPECT_EQ(filled, 500);
  EXPECT_EQ(empty, 154);
  EXPECT_EQ(columns[449].bytes, 0);
}

TEST(ViewWaveColumns, LevelsTruncateTowardZeroAndIncludeZero) {
  // Column 1: 300 and 700 -> levels 1, 2 (low stays 0). Column 2: -255, -256 -> 0, -1.
  Document doc = ViewOf({300, 700, -255, -256, 32767, -32768});
  const auto columns = WaveColumns(doc, 3);
  EXPECT_EQ(columns[0].low, 0);
  EXPECT_EQ(columns[0].high, 2);
  EXPECT_EQ(columns[1].low, -1);
  EXPECT_EQ(columns[1].high, 0);
  EXPECT_EQ(columns[2].low, -128);
  EXPECT_EQ(columns[2].high, 127);
}

TEST(ViewWaveColumns, ZoomedViewReadsOnlyItsOwnBytes) {
  std::vector<int16_t> samples(100, 0);
  samples[10] = 10000;  // outside the view
  samples[60] = -10000;
  Document doc = ViewOf(samples);
  doc.ViewStart = 100;
  doc.ViewEnd = 200;
  doc.ViewLength = 100;
  const auto columns = WaveColumns(doc, 10);
  int32_t high = 0, low = 0, total = 0;
  for (const WaveColumn& c : columns) {
    high = std::max(high, c.high);
    low = std::min(low, c.low);
    total += c.bytes;
  }
  EXPECT_EQ(total, 100);
  EXPECT_EQ(high, 0);
  EXPECT_EQ(low, -10000 / 256);
}

Document WithActivePoints(int32_t length, const std::vector<int32_t>& positions) {
  Document doc;
  doc.DataLength = length;
  doc.ActivePointCount = static_cast<int32_t>(positions.size());
  doc.ActivePoints[0].Position = 0;
  for (size_t i = 0; i < positions.size(); ++i) doc.ActivePoints[i + 1].Position = positions[i];
  doc.ActivePoints[positions.size() + 1].Position = length;
  return doc;
}

TEST(ViewLocatorSegments, IndexesFollowPositions) {
  Document doc = WithActivePoints(1000, {200, 400, 600});
  doc.LeftLocatorPos = 200;   // start of segment 2
  doc.RightLocatorPos = 600;  // end of segment 3
  DeriveLocatorSegments(doc);
  EXPECT_EQ(doc.LeftLocatorSegment, 2);
  EXPECT_EQ(doc.RightLocatorSegment, 3);

  doc.LeftLocatorPos = 300;  // inside segment 2
  doc.RightLocatorPos = 1000;
  DeriveLocatorSegments(doc);
  EXPECT_EQ(doc.LeftLocatorSegment, 2);
  EXPECT_EQ(doc.RightLocatorSegment, 4);

  Document none = WithActivePoints(1000, {});
  none.LeftLocatorPos = 0;
  none.RightLocatorPos = 1000;
  DeriveLocatorSegments(none);
  EXPECT_EQ(none.LeftLocatorSegment, 1);
  EXPECT_EQ(none.RightLocatorSegment, 1);
}

TEST(ViewLocatorSegments, EqualLocatorsNeverCross) {
  Document doc = WithActivePoints(1000, {400});
  doc.LeftLocatorPos = 400;
  doc.RightLocatorPos = 400;
  DeriveLocatorSegments(doc);
  EXPECT_LE(doc.LeftLocatorSegment, doc.RightLocatorSegment);
}

}  // namespace
}  // namespace slicewright
