#include <gtest/gtest.h>

#include <tuple>

#include "TestWaves.h"
#include "document/LoadMessages.h"
#include "document/WavParser.h"
#include "document/WaveLoader.h"

namespace slicewright {
namespace {

using test::Chunk;
using test::FmtChunk;
using test::Pcm16;
using test::Riff;
using test::TempDir;
using test::Wave;

std::string RefusalText(const std::string& path, LoadCommand command = LoadCommand::Open) {
  const auto refusal = CheckBeforeLoad(path, command);
  return refusal ? refusal->message : "";
}

TEST(WaveLoader, RefusesWithTheMessageOfEachCheck) {
  TempDir dir;
  EXPECT_EQ(RefusalText(dir.Path("gone.wav")), messages::kFileNotFound);
  EXPECT_EQ(RefusalText(dir.Write("tiny.wav", {'R', 'I'})), "Wave File Corrupted!\r\n");
  EXPECT_EQ(RefusalText(dir.Write("text.wav", {'h', 'e', 'l', 'l', 'o'})), "Wave File Corrupted!\r\n");
  EXPECT_EQ(RefusalText(dir.Write("avi.wav", Riff("AVI ", {}))), "Invalid WAV");
  EXPECT_EQ(RefusalText(dir.Write("nofmt.wav", Riff("WAVE", {Chunk("data", Pcm16({1}))}))),
            "Chunk Not Found");
  EXPECT_EQ(RefusalText(dir.Write("nodata.wav", Riff("WAVE", {FmtChunk(1, 1, 8000, 16)}))),
            "Chunk Not Found");

  const std::string eightBit =
      dir.Write("8bit.wav", Riff("WAVE", {FmtChunk(1, 1, 8000, 8), Chunk("data", {1, 2})}));
  EXPECT_EQ(RefusalText(eightBit), "Wave File is incorrect format;\r\nMust be 16bit Windows Wave Format");
  EXPECT_EQ(RefusalText(eightBit, LoadCommand::Reopen), "Wave File is incorrect format\r\n");
  EXPECT_EQ(
      RefusalText(dir.Write("float.wav", Riff("WAVE", {FmtChunk(3, 1, 8000, 16), Chunk("data", {1, 2})}))),
      messages::kIncorrectFormat);
  // Channel counts and rates the program cannot mean; the edges of the accepted range load.
  for (const auto& [rate, channels, accepted] : {std::tuple{0u, 1, false},
                                                 {768001u, 1, false},
                                                 {2147483647u, 1, false},
                                                 {4294967295u, 2, false},
                                                 {1u, 1, true},
                                                 {768000u, 2, true},
                                                 {44100u, 0, false},
                                                 {44100u, 3, false},
                                                 {44100u, 65535, false}}) {
    const auto channelCount = static_cast<uint16_t>(channels);
    const std::string path = dir.Write("odd.wav", Wave({1, 2, 3, 4}, rate, channelCount));
    EXPECT_EQ(RefusalText(path), accepted ? "" : messages::kIncorrectFormat) << rate << " Hz, " << channels;
  }
  // A fmt chunk too short to hold the bit width cannot be a 16-bit file.
  EXPECT_EQ(RefusalText(dir.Write("shortfmt.wav",
                                  Riff("WAVE", {FmtChunk(1, 1, 8000, 16, 12), Chunk("data", {1, 2})}))),
            messages::kIncorrectFormat);
  EXPECT_EQ(CheckBeforeLoad(dir.Write("good.wav", Wave({1, 2})), LoadCommand::Open), std::nullopt);
}

TEST(WaveLoader, LoadsAnyRateAndTheLongFmtForm) {
  TempDir dir;
  const std::string path =
      dir.Write("96k.wav", Riff("WAVE", {Chunk("data", Pcm16({1, -2, 3})), FmtChunk(1, 1, 96000, 16, 18)}));
  ASSERT_EQ(CheckBeforeLoad(path, LoadCommand::Open), std::nullopt);
  Document doc;
  LoadDocument(doc, path, StereoChoice::Combine);
  EXPECT_EQ(doc.SampleRate, 96000);
  EXPECT_EQ(doc.AvgBytesPerSec, 192000);
  EXPECT_EQ(doc.DataLength, 6);
  EXPECT_EQ(doc.SampleAt(2), -2);
  EXPECT_EQ(doc.Threshold, 65536);
  EXPECT_TRUE(doc.RescanPending);
  EXPECT_TRUE(doc.FileLoaded);
  EXPECT_EQ(doc.LoadedFileName, path);
  EXPECT_EQ(doc.RightLocatorPos, 6);
  EXPECT_EQ(doc.ViewEnd, 6);
  EXPECT_TRUE(doc.PlayBufferStale);
}

TEST(WaveLoader, DataLengthIsWhatTheFileHoldsInWholeSamples) {
  TempDir dir;
  // The data chunk claims 1000 bytes; 5 are present.
  const std::string cut =
      dir.Write("cut.wav", Riff("WAVE", {FmtChunk(1, 1, 8000, 16), Chunk("data", {1, 0, 2, 0, 3}, 1000)}));
  Document doc;
  LoadDocument(doc, cut, StereoChoice::Combine);
  EXPECT_EQ(doc.DataLength, 4);
  EXPECT_EQ(doc.SampleStream.size(), 4u);
  EXPECT_EQ(doc.RightLocatorPos, 4);

  const std::string odd =
      dir.Write("odd.wav", Riff("WAVE", {FmtChunk(1, 1, 8000, 16), Chunk("data", {1, 0, 2})}));
  LoadDocument(doc, odd, StereoChoice::Combine);
  EXPECT_EQ(doc.DataLength, 2);
}

TEST(WaveLoader, StereoReductionPicksOrCombinesChannels) {
  TempDir dir;
  const std::vector<int16_t> frames{1001, -1001, -32768, -32768, -3, 7, 32767, 32767};
  const std::string path = dir.Write("stereo.wav", Wave(frames, 44100, 2));
  Document doc;
  LoadDocument(doc, path, StereoChoice::Combine);
  EXPECT_EQ(doc.Channels, 1);
  EXPECT_EQ(doc.DataLength, 8);
  EXPECT_EQ(doc.AvgBytesPerSec, 88200);
  EXPECT_EQ(doc.SampleAt(0), 0);       // 500 + (-500)
  EXPECT_EQ(doc.SampleAt(2), -32768);  // halves never overflow
  EXPECT_EQ(doc.SampleAt(4), 2);       // -3 div 2 = -1, 7 div 2 = 3
  EXPECT_EQ(doc.SampleAt(6), 32766);

  LoadDocument(doc, path, StereoChoice::Left);
  EXPECT_EQ(Pcm16({1001, -32768, -3, 32767}), doc.SampleStream);
  LoadDocument(doc, path, StereoChoice::Right);
  EXPECT_EQ(Pcm16({-1001, -32768, 7, 32767}), doc.SampleStream);
}

TEST(WaveLoader, StereoWithAPartialLastFrameKeepsLengthAndFramesInStep) {
  TempDir dir;
  auto data = Pcm16({10, 20, 30, 40, 50});  // two frames and a half
  const std::string path =
      dir.Write("partial.wav", Riff("WAVE", {FmtChunk(1, 2, 44100, 16), Chunk("data", data)}));
  Document doc;
  LoadDocument(doc, path, StereoChoice::Right);
  EXPECT_EQ(doc.DataLength, 4);
  EXPECT_EQ(doc.SampleStream, Pcm16({20, 40}));
}

TEST(WaveLoader, LoadingReplacesTheOpenDocumentAndClosingEmptiesIt) {
  TempDir dir;
  Document doc;
  LoadDocument(doc, dir.Write("a.wav", Wave(std::vector<int16_t>(5000, 3))), StereoChoice::Combine);
  doc.SlicePointCount = 1;
  doc.SlicePoints[1] = SlicePoint{100, 5, true, true};
  doc.Undo.Kind = UndoKind::Reverse;
  doc.Undo.UndoLength = 4;
  LoadDocument(doc, dir.Write("b.wav", Wave({1, 2})), StereoChoice::Combine);
  EXPECT_EQ(doc.SlicePointCount, 0);
  EXPECT_FALSE(doc.SlicePoints[1].Locked);
  EXPECT_EQ(doc.Undo.Kind, UndoKind::None);
  EXPECT_EQ(doc.Undo.UndoLength, 0);
  EXPECT_EQ(doc.DataLength, 4);

  CloseDocument(doc);
  EXPECT_FALSE(doc.HasFile());
  EXPECT_FALSE(doc.FileLoaded);
  EXPECT_TRUE(doc.SampleStream.empty());
  EXPECT_TRUE(doc.PlayBuffer.empty());
}

}  // namespace
}  // namespace slicewright
