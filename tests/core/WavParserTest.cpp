#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestWaves.h"
#include "document/WavParser.h"

namespace slicewright {
namespace {

using test::Chunk;
using test::FmtChunk;
using test::Pcm16;
using test::Riff;
using test::TempDir;

TEST(WavParser, FindsChunksWhateverTheirOrder) {
  TempDir dir;
  const auto data = Pcm16({1, 2, 3});
  const std::string path =
      dir.Write("order.wav", Riff("WAVE", {Chunk("LIST", {'I', 'N', 'F', 'O'}), Chunk("data", data),
                                           Chunk("junk", {1, 2, 3}), FmtChunk(1, 1, 22050, 16)}));
  TWaveDataExtractor dataChunk(path);
  EXPECT_EQ(dataChunk.ChunkSize(), 6u);
  EXPECT_EQ(dataChunk.ReadData(), data);
  TWaveFormatExtractor fmt(path);
  const auto raw = fmt.ReadData();
  const WaveFormat format = DecodeWaveFormat(raw);
  EXPECT_EQ(format.wFormatTag, 1);
  EXPECT_EQ(format.nSamplesPerSec, 22050u);
  EXPECT_EQ(format.wBitsPerSample, 16);
}

TEST(WavParser, FirstChunkWithTheIdWins) {
  TempDir dir;
  const std::string path = dir.Write(
      "twice.wav",
      Riff("WAVE", {FmtChunk(1, 1, 8000, 16), Chunk("data", Pcm16({7})), Chunk("data", Pcm16({8, 9}))}));
  EXPECT_EQ(TWaveDataExtractor(path).ReadData(), Pcm16({7}));
}

TEST(WavParser, OtherFormsAndMissingChunksAreNotFound) {
  TempDir dir;
  const std::string avi = dir.Write("movie.avi", Riff("AVI ", {Chunk("data", Pcm16({1}))}));
  EXPECT_THROW(TWaveDataExtractor{avi}, EChunkNotFound);
  const std::string noData = dir.Write("nodata.wav", Riff("WAVE", {FmtChunk(1, 1, 8000, 16)}));
  try {
    TWaveDataExtractor extractor(noData);
    FAIL() << "no data chunk should be found";
  } catch (const EChunkNotFound& e) {
    EXPECT_STREQ(e.what(), "Chunk Not Found");
  }
}

TEST(WavParser, ChunkBeyondTheFormIsNotPartOfIt) {
  TempDir dir;
  auto bytes = Riff("WAVE", {FmtChunk(1, 1, 8000, 16)});
  const auto data = Chunk("data", Pcm16({1, 2}));
  bytes.insert(bytes.end(), data.begin(), data.end());  // after the RIFF size's end
  EXPECT_THROW(TWaveDataExtractor{dir.Write("outside.wav", bytes)}, EChunkNotFound);
}

TEST(WavParser, ReadsOnlyWhatTheFileHolds) {
  TempDir dir;
  const auto data = Pcm16({1, 2, 3, 4});
  const std::string path =
      dir.Write("short.wav", Riff("WAVE", {FmtChunk(1, 1, 8000, 16), Chunk("data", data, 0x7FFFFFF0)}));
  TWaveDataExtractor extractor(path);
  EXPECT_EQ(extractor.ChunkSize(), 0x7FFFFFF0u);
  EXPECT_EQ(extractor.ReadData(), data);
}

TEST(WavParser, OpensReadOnlyFilesAndNamesMissingOnes) {
  TempDir dir;
  const std::string path = dir.Write("readonly.wav", test::Wave({5, 6}));
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(TWaveDataExtractor(path).ReadData(), Pcm16({5, 6}));

  TWavParser parser;
  try {
    parser.SetFileName(dir.Path("missing.wav"));
    FAIL() << "a missing file cannot be opened";
  } catch (const EWavParserError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + dir.Path("missing.wav"));
  }
  try {
    parser.FindRiff(MakeFourCC("WAVE"));
    FAIL() << "no file is open";
  } catch (const EWavParserError& e) {
    EXPECT_STREQ(e.what(), "No File to Process");
  }
}

TEST(WavParser, TruncatedHeadersAreNotFound) {
  TempDir dir;
  const std::vector<uint8_t> bytes{'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm'};
  EXPECT_THROW(TWaveFormatExtractor{dir.Write("cut.wav", bytes)}, EChunkNotFound);
}

}  // namespace
}  // namespace slicewright
