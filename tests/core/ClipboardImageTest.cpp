#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TestWaves.h"
#include "export/ClipboardImage.h"

namespace slicewright {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<uint8_t> DataOf(const WaveDataLocation& location) {
  return {location.Data.begin(), location.Data.end()};
}

TEST(FindWaveData, FindsTheDataChunkOfAWellFormedImage) {
  const std::vector<uint8_t> image = test::Wave({1, -2, 300});
  const WaveDataLocation location = FindWaveData(image);
  ASSERT_TRUE(location.Found);
  EXPECT_EQ(location.StatedLength, 6u);
  EXPECT_EQ(location.Offset, 44u);
  EXPECT_THAT(DataOf(location), ElementsAreArray(test::Pcm16({1, -2, 300})));
}

TEST(FindWaveData, StopsAtTheFirstDaPairWhereverItLies) {
  // A rate of 0x6164 puts "da" into the fmt data: the length is read from
  // the average-bytes field two bytes after the pair's end.
  const std::vector<uint8_t> image = test::Wave({7, 8}, 0x6164);
  const WaveDataLocation location = FindWaveData(image);
  ASSERT_TRUE(location.Found);
  EXPECT_EQ(location.Offset, 32u);
  EXPECT_EQ(location.StatedLength, 0x6164u * 2);
  EXPECT_EQ(location.Data.size(), image.size() - 32);  // only what the block holds

  // A pair that follows another d is still the first pair.
  test::Bytes odd;
  odd.Text("RIFF").Text("xdda").Text("ta").U32(2).U16(0x0102);
  const WaveDataLocation shifted = FindWaveData(odd.data);
  ASSERT_TRUE(shifted.Found);
  EXPECT_EQ(shifted.Offset, 14u);
  EXPECT_THAT(DataOf(shifted), ElementsAre(0x02, 0x01));
}

TEST(FindWaveData, NeverReadsPastTheBlock) {
  test::Bytes claimsMore;
  claimsMore.Text("RIFF").U32(0).Text("WAVE").Text("data").U32(1000).U16(5).U16(6);
  const WaveDataLocation partial = FindWaveData(claimsMore.data);
  ASSERT_TRUE(partial.Found);
  EXPECT_EQ(partial.StatedLength, 1000u);
  EXPECT_THAT(DataOf(partial), ElementsAreArray(test::Pcm16({5, 6})));

  test::Bytes huge;
  huge.Text("RIFF").Text("data").U32(0xFFFFFFFF).U16(9);
  EXPECT_EQ(FindWaveData(huge.data).Data.size(), 2u);

  test::Bytes noData;
  noData.Text("RIFF").Text("data").U32(0);
  const WaveDataLocation empty = FindWaveData(noData.data);
  EXPECT_TRUE(empty.Found);
  EXPECT_TRUE(empty.Data.empty());
}

TEST(FindWaveData, MalformedBlocksAreNotFound) {
  const std::vector<uint8_t> wave = test::Wave({1, 2});
  std::vector<uint8_t> notRiff = wave;
  notRiff[0] = 'r';
  EXPECT_FALSE(FindWaveData(notRiff).Found);

  EXPECT_FALSE(FindWaveData(std::vector<uint8_t>{}).Found);
  EXPECT_FALSE(FindWaveData(std::vector<uint8_t>{'R', 'I', 'F'}).Found);

  test::Bytes noPair;
  noPair.Text("RIFF").U32(8).Text("WAVE").Text("junk");
  EXPECT_FALSE(FindWaveData(noPair.data).Found);

  // The pair sits too near the end for a length field: not found, no read past.
  test::Bytes cutShort;
  cutShort.Text("RIFF").Text("data").U16(4);
  EXPECT_FALSE(FindWaveData(cutShort.data).Found);
  // "RIFF" itself never counts as part of a pair.
  test::Bytes riffOnly;
  riffOnly.Text("RIFF");
  EXPECT_FALSE(FindWaveData(riffOnly.data).Found);
}

}  // namespace
}  // namespace slicewright
