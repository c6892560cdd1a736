#include <gtest/gtest.h>

#include "export/KeyMapping.h"

namespace slicewright {
namespace {

TEST(KeyMapping, SlotKeysWithIntervalsAndWhiteKeys) {
  const KeyMapping plain{48, 0, false};
  EXPECT_EQ(SlotKey(plain, 1), 48);
  EXPECT_EQ(SlotKey(plain, 3), 50);
  const KeyMapping spaced{48, 2, false};
  EXPECT_EQ(SlotKey(spaced, 2), 51);
  EXPECT_EQ(SlotKey(spaced, 4), 57);

  const KeyMapping white{48, 0, true};
  std::vector<int32_t> keys;
  for (int32_t n = 1; n <= 9; ++n) keys.push_back(SlotKey(white, n));
  EXPECT_EQ(keys, (std::vector<int32_t>{48, 50, 52, 53, 55, 57, 59, 60, 62}));
  EXPECT_EQ(SlotKey(white, 15), 72);
  EXPECT_EQ(BaseKeyFromPositions(1, 4), 48);
  EXPECT_EQ(BaseKeyFromPositions(12, 10), 131);
}

TEST(KeyMapping, RangeCheckAllowsRootKeysUpTo126) {
  EXPECT_TRUE(RangeCheck({48, 0, false}, 79));   // last key 126
  EXPECT_FALSE(RangeCheck({48, 0, false}, 80));  // last key 127
  EXPECT_TRUE(RangeCheck({48, 2, false}, 27));
  EXPECT_FALSE(RangeCheck({48, 2, false}, 28));
  EXPECT_TRUE(RangeCheck({48, 1, false}, 40));
  EXPECT_FALSE(RangeCheck({48, 1, false}, 41));
  EXPECT_TRUE(RangeCheck({48, 0, true}, 46));   // key 125
  EXPECT_FALSE(RangeCheck({48, 0, true}, 47));  // key 127
  EXPECT_TRUE(RangeCheck({126, 0, false}, 1));
  EXPECT_FALSE(RangeCheck({131, 0, false}, 1));  // octave 10, note B
  // The half-interval spread of a bank zone is not part of the check.
  EXPECT_TRUE(RangeCheck({124, 12, false}, 1));
}

TEST(KeyMapping, ReverseStartKeyIsTheLastSlicesKey) {
  EXPECT_EQ(ReverseStartKey({48, 2, false}, 4), 57);
  EXPECT_EQ(ReverseStartKey({48, 0, true}, 8), 60);
  EXPECT_EQ(ReverseStartKey({48, 0, false}, 1), 48);
}

TEST(KeyMapping, RegionPointCountCountsPointsStrictlyInsideTheLocators) {
  Document doc;
  doc.DataLength = 1000;
  doc.SampleStream.resize(1000);
  doc.ActivePointCount = 4;
  const int32_t cuts[] = {0, 100, 300, 300, 700, 1000};
  for (int32_t i = 0; i < 6; ++i) doc.ActivePoints[i].Position = cuts[i];
  doc.LeftLocatorPos = 0;
  doc.RightLocatorPos = 1000;
  EXPECT_EQ(RegionPointCount(doc), 4);
  doc.LeftLocatorPos = 100;
  doc.RightLocatorPos = 700;
  EXPECT_EQ(RegionPointCount(doc), 2);  // the two points at 300
  doc.LeftLocatorPos = 300;
  EXPECT_EQ(RegionPointCount(doc), 0);
}

}  // namespace
}  // namespace slicewright
