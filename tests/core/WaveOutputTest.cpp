#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "TestWaves.h"
#include "audio/BlockCursor.h"
#include "audio/HeardPosition.h"
#include "doubles/QueuedUiThread.h"
#include "doubles/SimulatedWaveOutput.h"

namespace slicewright {
namespace {

std::vector<int16_t> Render(BlockCursor& cursor, uint32_t count) {
  std::vector<int16_t> out(count, 12345);
  cursor.Render(out.data(), count);
  return out;
}

TEST(BlockCursorTest, PlaysOnceThenSilence) {
  const auto bytes = test::Pcm16({1, -2, 3});
  BlockCursor cursor(bytes.data(), static_cast<uint32_t>(bytes.size()), false, 1.0);
  std::vector<int16_t> out(5, 99);
  EXPECT_EQ(cursor.Render(out.data(), 5), 3u);
  EXPECT_EQ(out, (std::vector<int16_t>{1, -2, 3, 0, 0}));
  EXPECT_TRUE(cursor.Finished());
  EXPECT_EQ(cursor.Consumed(), 3u);
  EXPECT_EQ(Render(cursor, 2), (std::vector<int16_t>{0, 0}));
}

TEST(BlockCursorTest, LoopWrapsWithoutGapAcrossCalls) {
  const auto bytes = test::Pcm16({10, 20, 30});
  BlockCursor cursor(bytes.data(), static_cast<uint32_t>(bytes.size()), true, 1.0);
  EXPECT_EQ(Render(cursor, 4), (std::vector<int16_t>{10, 20, 30, 10}));
  EXPECT_EQ(Render(cursor, 4), (std::vector<int16_t>{20, 30, 10, 20}));
  EXPECT_FALSE(cursor.Finished());
  EXPECT_EQ(cursor.Consumed(), 8u);
}

TEST(BlockCursorTest, OddLengthPlaysWholeSamplesOnly) {
  auto bytes = test::Pcm16({7, 8});
  bytes.push_back(0x7f);
  BlockCursor once(bytes.data(), static_cast<uint32_t>(bytes.size()), false, 1.0);
  EXPECT_EQ(Render(once, 3), (std::vector<int16_t>{7, 8, 0}));
  BlockCursor loop(bytes.data(), static_cast<uint32_t>(bytes.size()), true, 1.0);
  EXPECT_EQ(Render(loop, 5), (std::vector<int16_t>{7, 8, 7, 8, 7}));
}

TEST(BlockCursorTest, EmptyBlocksNeitherReadNorHang) {
  const uint8_t one = 0x11;
  BlockCursor once(&one, 1, false, 1.0);
  EXPECT_TRUE(once.Finished());
  EXPECT_EQ(Render(once, 3), (std::vector<int16_t>{0, 0, 0}));
  BlockCursor loop(&one, 1, true, 1.0);
  EXPECT_EQ(Render(loop, 3), (std::vector<int16_t>{0, 0, 0}));
  EXPECT_FALSE(loop.Finished());
  BlockCursor idle;
  EXPECT_EQ(Render(idle, 2), (std::vector<int16_t>{0, 0}));
}

TEST(BlockCursorTest, ResamplesByInterpolating) {
  // A block at half the output rate: every other output frame lies halfway.
  const auto bytes = test::Pcm16({0, 100, -100});
  BlockCursor once(bytes.data(), static_cast<uint32_t>(bytes.size()), false, 0.5);
  EXPECT_EQ(Render(once, 7), (std::vector<int16_t>{0, 50, 100, 0, -100, -100, 0}));
  EXPECT_EQ(once.Consumed(), 3u);
  // In a loop the last sample leads back into the first.
  BlockCursor loop(bytes.data(), static_cast<uint32_t>(bytes.size()), true, 0.5);
  EXPECT_EQ(Render(loop, 8), (std::vector<int16_t>{0, 50, 100, 0, -100, -50, 0, 50}));
  // At twice the output rate every other sample is skipped.
  BlockCursor fast(bytes.data(), static_cast<uint32_t>(bytes.size()), true, 2.0);
  EXPECT_EQ(Render(fast, 4), (std::vector<int16_t>{0, -100, 100, 0}));
  EXPECT_EQ(fast.Consumed(), 8u);
}

TEST(HeardFramesTest, FollowsTheClockFromTheStampedBuffer) {
  RenderMark mark{1, 1000, 1512, 8.0};
  // 1/128 s (344.5 frames) after the buffer's first frame is heard.
  EXPECT_EQ(HeardFrames(mark, 8.0078125, 44100.0, 0.05), 1344u);
  // Before it, the earlier frames are still playing.
  EXPECT_EQ(HeardFrames(mark, 7.9921875, 44100.0, 0.05), 655u);
  // Never beyond what was rendered, never below zero.
  EXPECT_EQ(HeardFrames(mark, 9.0, 44100.0, 0.05), 1512u);
  EXPECT_EQ(HeardFrames(mark, 7.0, 44100.0, 0.05), 0u);
}

TEST(HeardFramesTest, FallsBackToTheLatencyWithoutStamps) {
  RenderMark unstamped{1, 1000, 4410, 0.0};
  EXPECT_EQ(HeardFrames(unstamped, 5.0, 44100.0, 0.05), 4410u - 2205u);
  RenderMark stale{1, 1000, 4410, 100.0};
  EXPECT_EQ(HeardFrames(stale, 5.0, 44100.0, 0.5), 0u);
}

class SimulatedWaveOutputTest : public ::testing::Test {
 protected:
  SimulatedWaveOutputTest() {
    wave.SetRate(44100);
    wave.OnWaveoutput = [this] { ++notices; };
    EXPECT_EQ(wave.OpenDevice(), 0);
  }
  int Deliver() { return ui.RunPending(); }

  QueuedUiThread ui;
  SimulatedWaveOutput wave{ui};
  std::vector<uint8_t> block = test::Pcm16({1, 2, 3, 4, 5, 6, 7, 8});
  int notices = 0;
};

TEST_F(SimulatedWaveOutputTest, OpeningAnOpenDeviceChangesNothing) {
  EXPECT_EQ(wave.OpenDevice(), 1);
  EXPECT_TRUE(wave.WavOpen());
  wave.CloseDevice();
  EXPECT_FALSE(wave.WavOpen());
  wave.SetOpenResult(2);
  EXPECT_EQ(wave.OpenDevice(), 2);
  EXPECT_FALSE(wave.WavOpen());
}

TEST_F(SimulatedWaveOutputTest, OneNoticePerBlockThatRunsOut) {
  wave.PlayBlock(block.data(), 16, false);
  EXPECT_TRUE(wave.Playing());
  EXPECT_EQ(wave.BytesPlayed(), 0u);
  wave.Advance(10);
  EXPECT_EQ(wave.BytesPlayed(), 10u);
  wave.Advance(10);
  wave.StopDevice();  // after the end: no second notice
  Deliver();
  EXPECT_EQ(notices, 1);
  EXPECT_FALSE(wave.Playing());
  EXPECT_EQ(wave.BytesPlayed(), 0u);
  EXPECT_EQ(Deliver(), 0);
}

TEST_F(SimulatedWaveOutputTest, StopGivesExactlyOneNotice) {
  wave.PlayBlock(block.data(), 16, false);
  wave.Advance(4);
  wave.StopDevice();
  wave.StopDevice();
  EXPECT_EQ(wave.BytesPlayed(), 0u);
  Deliver();
  EXPECT_EQ(notices, 1);
}

TEST_F(SimulatedWaveOutputTest, LoopSendsNothingUntilStoppedAndNothingThen) {
  wave.PlayBlock(block.data(), 16, true);
  wave.Advance(100);
  EXPECT_EQ(wave.BytesPlayed(), 100u);
  EXPECT_EQ(Deliver(), 0);
  wave.StopDevice();
  Deliver();
  EXPECT_EQ(notices, 0);
  EXPECT_FALSE(wave.Playing());
}

TEST_F(SimulatedWaveOutputTest, ReplacedBlockDoesNotEndTheNewOne) {
  wave.PlayBlock(block.data(), 16, false);
  wave.Advance(6);
  wave.PlayBlock(block.data(), 8, false);
  Deliver();
  EXPECT_EQ(notices, 0);
  EXPECT_TRUE(wave.Playing());
  wave.Advance(8);
  Deliver();
  EXPECT_EQ(notices, 1);
}

TEST_F(SimulatedWaveOutputTest, NoticeAlreadyQueuedForAReplacedBlockIsDropped) {
  wave.PlayBlock(block.data(), 16, false);
  wave.Advance(16);  // ran out; its notice waits in the queue
  wave.PlayBlock(block.data(), 16, true);
  Deliver();
  EXPECT_EQ(notices, 0);
  EXPECT_TRUE(wave.Playing());
}

TEST_F(SimulatedWaveOutputTest, ClosingWhilePlayingEndsTheBlock) {
  wave.PlayBlock(block.data(), 16, false);
  wave.CloseDevice();
  Deliver();
  EXPECT_EQ(notices, 1);
  wave.PlayBlock(block.data(), 16, false);
  EXPECT_FALSE(wave.Playing());
}

TEST_F(SimulatedWaveOutputTest, NoNoticeReachesADestroyedOutput) {
  auto doomed = std::make_unique<SimulatedWaveOutput>(ui);
  doomed->OnWaveoutput = [this] { ++notices; };
  doomed->OpenDevice();
  doomed->PlayBlock(block.data(), 16, false);
  doomed->StopDevice();
  doomed.reset();
  EXPECT_EQ(Deliver(), 1);
  EXPECT_EQ(notices, 0);
}

}  // namespace
}  // namespace slicewright
