#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "TestWaves.h"
#include "audio/AudioMessages.h"
#include "audio/PlayLineMath.h"
#include "audio/ThreadedTimer.h"
#include "audio/Transport.h"
#include "document/LoadMessages.h"
#include "doubles/QueuedUiThread.h"
#include "doubles/SimulatedWaveOutput.h"
#include "view/PixelMapping.h"

namespace slicewright {
namespace {

class RecordingView : public TransportView {
 public:
  struct Button {
    bool down = false;
    bool enabled = true;
  };

  bool IsButtonDown(TransportButton b) const override { return buttons.at(b).down; }
  void SetButtonDown(TransportButton b, bool down) override { buttons[b].down = down; }
  void SetButtonEnabled(TransportButton b, bool enabled) override { buttons[b].enabled = enabled; }
  int32_t PaintBoxWidth() const override { return width; }
  void SetPlayLine(int32_t x, bool shown) override {
    playLineX = x;
    playLineShown = shown;
    draws += shown ? 1 : 0;
  }
  void DrawSegmentStrip() override { ++strips; }
  void EnableSelectedSegmentItems() override { selectedItemsEnabled = true; }
  int32_t PointerX() const override { return pointerX; }
  bool PointerPlaysFromPoint() const override { return addTool; }
  bool Closing() const override { return closing; }
  void ShowWarning(const std::string& text) override { warnings.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }

  // Presses a toggle as a click does before its handler runs.
  void Click(TransportButton b) { buttons[b].down = !buttons[b].down; }
  bool AllTogglesUp() const {
    return !buttons.at(TransportButton::All).down && !buttons.at(TransportButton::Loop).down &&
           !buttons.at(TransportButton::Selected).down;
  }

  std::map<TransportButton, Button> buttons{{TransportButton::All, {}},
                                            {TransportButton::Loop, {}},
                                            {TransportButton::Selected, {}},
                                            {TransportButton::Stop, {}}};
  int32_t width = 654;
  int32_t playLineX = -1;
  bool playLineShown = false;
  int draws = 0;
  int strips = 0;
  bool selectedItemsEnabled = false;
  int32_t pointerX = 0;
  bool addTool = false;
  bool closing = false;
  std::vector<std::string> warnings;
  std::vector<std::string> errors;
};

class FixedClock : public MillisecondClock {
 public:
  uint32_t NowMs() override { return ++now_; }

 private:
  std::atomic<uint32_t> now_{0};
};

constexpr int32_t kRate = 44100;
constexpr int32_t kThreeSeconds = 3 * kRate * 2;

class TransportTest : public ::testing::Test {
 protected:
  TransportTest() {
    std::vector<int16_t> samples(kThreeSeconds / 2);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>(i * 7);
    doc.SampleStream = test::Pcm16(samples);
    doc.DataLength = kThreeSeconds;
    doc.SampleRate = kRate;
    doc.AvgBytesPerSec = kRate * 2;
    doc.PlayBuffer.assign(doc.SampleStream.size(), 0);
    doc.PlayBufferStale = true;
    doc.ViewStart = 0;
    doc.ViewEnd = doc.ViewLength = kThreeSeconds;
    doc.LeftLocatorPos = 0;
    doc.RightLocatorPos = kThreeSeconds;
    doc.LoadedFileName = "loop.wav";
    doc.FileLoaded = true;
    SetPoints({});
    wave.SetRate(kRate);
    wave.OpenDevice();
  }

  void SetPoints(const std::vector<int32_t>& positions) {
    doc.ActivePointCount = static_cast<int32_t>(positions.size());
    doc.ActivePoints[0] = SlicePoint{};
    for (size_t i = 0; i < positions.size(); ++i)
      doc.ActivePoints[i + 1] = SlicePoint{positions[i], 100, true, false};
    doc.ActivePoints[positions.size() + 1] = SlicePoint{doc.DataLength, 0, false, false};
  }

  std::vector<uint8_t> Bytes(int32_t start, int32_t length) const {
    return {doc.SampleStream.begin() + start, doc.SampleStream.begin() + start + length};
  }

  void Deliver() { waveUi.RunPending(); }

  Document doc;
  RecordingView view;
  QueuedUiThread waveUi;
  // Ticks queue here and are never run: the tests call the tick themselves.
  QueuedUiThread timerUi;
  FixedClock clock;
  SimulatedWaveOutput wave{waveUi};
  TThreadedTimer timer{timerUi, clock};
  Transport transport{doc, wave, timer, view};
};

TEST_F(TransportTest, PlayLineTimingFollowsTheViewDuration) {
  // Three seconds over 654 columns: step 2, Round(3 / 654 * 1000 * 2) = 9 ms.
  transport.PlayLineTiming();
  EXPECT_EQ(transport.PlayLineStep(), 2);
  EXPECT_EQ(timer.Interval(), 9);

  const struct {
    int32_t samples;
    int32_t step;
  } cases[] = {{kRate * 10, 1}, {kRate * 2, 4}, {kRate, 8}, {kRate * 6 / 10, 16}, {kRate / 10, 32}};
  for (const auto& c : cases) {
    doc.ViewLength = c.samples * 2;
    EXPECT_EQ(ComputePlayLineTiming(doc, 654).step, c.step) << c.samples;
  }
  // Intervals stay within what the timer can hold and never reach 0.
  doc.ViewLength = 2;
  EXPECT_EQ(ComputePlayLineTiming(doc, 654).intervalMs, 1);
  doc.SampleRate = 1;
  doc.ViewLength = 2000000000;
  EXPECT_EQ(ComputePlayLineTiming(doc, 10).intervalMs, 65535);
}

TEST_F(TransportTest, PlayAllPlaysTheViewOnceAndEndsWithOneNotice) {
  doc.ViewStart = 1000;
  doc.ViewLength = 20000;
  view.Click(TransportButton::All);
  transport.PlayAll();
  EXPECT_EQ(wave.LastBlock(), Bytes(1000, 20000));
  EXPECT_FALSE(wave.LastBlockLoops());
  EXPECT_TRUE(timer.Enabled());
  EXPECT_TRUE(transport.PlayTimerRunning());
  EXPECT_EQ(view.playLineX, 0);
  EXPECT_FALSE(view.playLineShown);
  EXPECT_EQ(doc.PlayBufferStart, 1000);

  wave.Advance(20000);
  Deliver();
  EXPECT_FALSE(timer.Enabled());
  EXPECT_FALSE(transport.PlayTimerRunning());
  EXPECT_TRUE(view.AllTogglesUp());
  EXPECT_TRUE(view.buttons[TransportButton::Selected].enabled);
  Deliver();
  EXPECT_EQ(wave.PlayBlockCount(), 1);
}

TEST_F(TransportTest, PlayAllRereadsAViewOfTheSameLengthElsewhere) {
  doc.ViewLength = 10000;
  view.Click(TransportButton::All);
  transport.PlayAll();
  wave.Advance(10000);
  Deliver();
  doc.ViewStart = 40000;
  view.Click(TransportButton::All);
  transport.PlayAll();
  EXPECT_EQ(wave.LastBlock(), Bytes(40000, 10000));
}

TEST_F(TransportTest, LoopRepeatsUntilStoppedAndTheLineWraps) {
  doc.LeftLocatorPos = 44100;
  doc.RightLocatorPos = 88200;
  view.Click(TransportButton::Loop);
  transport.ToggleLoop();
  EXPECT_EQ(wave.LastBlock(), Bytes(44100, 44100));
  EXPECT_TRUE(wave.LastBlockLoops());
  EXPECT_TRUE(transport.LoopPlaying());
  EXPECT_EQ(view.playLineX, PlayLineColumn(doc, 44100, 654));

  wave.Advance(3 * 44100 + 882);
  Deliver();
  EXPECT_TRUE(wave.Sounding());
  EXPECT_TRUE(timer.Enabled());
  transport.OnTick();
  EXPECT_EQ(view.playLineX, PlayLineColumn(doc, 44100 + 882, 654));
  EXPECT_EQ(view.draws, 1);

  view.Click(TransportButton::Loop);
  transport.ToggleLoop();
  Deliver();
  EXPECT_FALSE(wave.Sounding());
  EXPECT_FALSE(transport.LoopPlaying());
  EXPECT_FALSE(transport.PlayTimerRunning());
  EXPECT_FALSE(timer.Enabled());
}

TEST_F(TransportTest, AllDuringALoopStopsEverythingAndPlaysNothing) {
  view.Click(TransportButton::Loop);
  transport.ToggleLoop();
  view.Click(TransportButton::All);
  transport.PlayAll();
  Deliver();
  EXPECT_EQ(wave.PlayBlockCount(), 1);
  EXPECT_FALSE(wave.Sounding());
  EXPECT_FALSE(transport.LoopPlaying());
  EXPECT_FALSE(timer.Enabled());
  EXPECT_TRUE(view.AllTogglesUp());
}

TEST_F(TransportTest, TickDrawsNothingBeforeTheFirstByteIsHeard) {
  view.Click(TransportButton::All);
  transport.PlayAll();
  transport.OnTick();
  EXPECT_EQ(view.playLineX, 0);
  EXPECT_EQ(view.draws, 0);
  wave.Advance(kThreeSeconds / 2);
  transport.OnTick();
  EXPECT_EQ(view.playLineX, 327);
  EXPECT_EQ(view.draws, 1);
}

TEST_F(TransportTest, SegmentLengths) {
  SetPoints({1000, 3000});
  const struct {
    int32_t segment, start, length;
  } cases[] = {{1, 0, 999}, {2, 1000, 1999}, {3, 3000, kThreeSeconds - 3000}};
  for (const auto& c : cases) {
    doc.SelectedSegment = c.segment;
    transport.PlaySelected();
    EXPECT_EQ(wave.LastBlock(), Bytes(c.start, c.length)) << c.segment;
    EXPECT_TRUE(doc.PlayBufferStale);
  }
  SetPoints({});
  doc.SelectedSegment = 1;
  transport.PlaySelected();
  EXPECT_EQ(wave.LastBlock().size(), static_cast<size_t>(kThreeSeconds));
}

TEST_F(TransportTest, SegmentOfTheSameLengthAsTheBufferIsStillRead) {
  SetPoints({1000, 3000});
  doc.ViewStart = 5000;
  doc.ViewLength = 1999;
  view.Click(TransportButton::All);
  transport.PlayAll();
  doc.SelectedSegment = 2;
  transport.PlaySelected();
  EXPECT_EQ(wave.LastBlock(), Bytes(1000, 1999));
}

TEST_F(TransportTest, SegmentOutsideTheTableIsNeverPlayed) {
  SetPoints({1000});
  for (int32_t s : {0, 3, -1}) {
    doc.SelectedSegment = s;
    transport.PlaySelected();
  }
  EXPECT_EQ(wave.PlayBlockCount(), 0);
}

TEST_F(TransportTest, ReplacedBlockDoesNotEndTheSegmentClicked) {
  SetPoints({1000, 3000});
  view.Click(TransportButton::All);
  transport.PlayAll();
  transport.PlaySegmentClicked(2);
  Deliver();
  EXPECT_TRUE(wave.Sounding());
  EXPECT_TRUE(view.buttons[TransportButton::Selected].down);
  EXPECT_EQ(doc.SelectedSegment, 2);
  EXPECT_TRUE(doc.SegmentSelected);
  EXPECT_TRUE(view.selectedItemsEnabled);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(wave.LastBlock(), Bytes(1000, 1999));
  wave.Advance(1998);
  Deliver();
  EXPECT_FALSE(view.buttons[TransportButton::Selected].down);
}

class TransportKeysTest : public TransportTest {
 protected:
  TransportKeysTest() {
    SetPoints({10000, 20000, 30000});  // four segments
    doc.LeftLocatorSegment = 2;
    doc.RightLocatorSegment = 3;
  }
  int32_t PlayedStart() const {
    // Segments start on sample values 7 * position / 2, so the first sample tells the start.
    const auto& b = wave.LastBlock();
    const auto first = static_cast<uint16_t>(b[0] | (b[1] << 8));
    for (int32_t start : {0, 10000, 20000, 30000}) {
      if (static_cast<uint16_t>(start / 2 * 7) == first) return start;
    }
    return -1;
  }
};

TEST_F(TransportKeysTest, PlusPlaysThenMovesOnAndWrapsAtR) {
  doc.SelectedSegment = 2;
  transport.KeyPressed('+');
  EXPECT_EQ(PlayedStart(), 10000);
  EXPECT_EQ(doc.SelectedSegment, 3);
  EXPECT_TRUE(doc.SegmentSelected);
  transport.KeyPressed('=');
  EXPECT_EQ(PlayedStart(), 20000);
  EXPECT_EQ(doc.SelectedSegment, 2);
}

TEST_F(TransportKeysTest, MinusMovesBackAndWrapsAtL) {
  doc.SelectedSegment = 3;
  transport.KeyPressed('-');
  EXPECT_EQ(doc.SelectedSegment, 2);
  EXPECT_EQ(PlayedStart(), 10000);
  transport.KeyPressed('-');
  EXPECT_EQ(doc.SelectedSegment, 3);
  EXPECT_EQ(PlayedStart(), 20000);
}

TEST_F(TransportKeysTest, MinusLeftOfLWrapsInsteadOfLeavingTheSegments) {
  doc.LeftLocatorSegment = 3;
  doc.RightLocatorSegment = 4;
  doc.SelectedSegment = 1;
  transport.KeyPressed('_');
  EXPECT_EQ(doc.SelectedSegment, 4);
  EXPECT_EQ(PlayedStart(), 30000);
}

TEST_F(TransportKeysTest, StaleSelectionPlaysNothingAndRecovers) {
  doc.SelectedSegment = 9;
  EXPECT_TRUE(transport.KeyPressed('\r'));
  EXPECT_EQ(wave.PlayBlockCount(), 0);
  transport.KeyPressed('+');
  EXPECT_EQ(doc.SelectedSegment, 2);
  EXPECT_FALSE(transport.KeyPressed('x'));
}

TEST_F(TransportKeysTest, SpacePlaysFromTheSegmentOrThePointUnderThePointer) {
  // Column 300 of 654 over the whole file is byte 121376, inside segment 4.
  SetPoints({10000, 120000, 130000});
  view.pointerX = 300;
  transport.KeyPressed(' ');
  EXPECT_EQ(wave.LastBlock(), Bytes(120000, 10000 - 2));
  // With the add tool it plays from the pointer itself, on whole samples.
  view.addTool = true;
  transport.KeyPressed(' ');
  const int32_t start = RoundHalfEven(300.0 / 654 * kThreeSeconds) / 2 * 2;
  EXPECT_EQ(wave.LastBlock(), Bytes(start, 130000 - 2 - start));
  // Within half a column of a point it plays from that point to the next.
  SetPoints({10000, 121400, 130000});
  transport.KeyPressed(' ');
  EXPECT_EQ(wave.LastBlock(), Bytes(121400, 130000 - 2 - 121400));
  EXPECT_EQ(doc.SelectedSegment, 1);
}

TEST_F(TransportTest, DeactivationReleasesTheDeviceAndActivationReopensSilently) {
  view.Click(TransportButton::Loop);
  transport.ToggleLoop();
  transport.AppDeActivate();
  Deliver();
  EXPECT_FALSE(wave.WavOpen());
  EXPECT_FALSE(wave.Sounding());
  EXPECT_FALSE(transport.LoopPlaying());
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), Transport::kIdleInterval);
  EXPECT_TRUE(view.AllTogglesUp());

  transport.AppActivate();
  EXPECT_TRUE(wave.WavOpen());
  EXPECT_EQ(wave.PlayBlockCount(), 1);
  EXPECT_TRUE(view.warnings.empty());

  transport.AppDeActivate();
  wave.SetOpenResult(-9999);
  transport.AppActivate();
  EXPECT_EQ(view.warnings, std::vector<std::string>{messages::kUnableToOpenWaveDevice});
  // Without the device the play commands raise their button and play nothing.
  view.Click(TransportButton::All);
  transport.PlayAll();
  EXPECT_TRUE(view.AllTogglesUp());
  EXPECT_FALSE(timer.Enabled());
}

TEST_F(TransportTest, StartupCheckNeedsAnOutputDevice) {
  EXPECT_TRUE(transport.CheckSoundDevice());
  wave.SetOutputDeviceCount(0);
  EXPECT_FALSE(transport.CheckSoundDevice());
  EXPECT_EQ(view.errors, std::vector<std::string>{messages::kNoSoundcard});
}

TEST_F(TransportTest, LoadingAFileOfAnotherRateReopensTheDevice) {
  doc.SampleRate = 22050;
  transport.DocumentLoaded();
  EXPECT_TRUE(wave.WavOpen());
  EXPECT_EQ(wave.Rate(), 22050u);
  EXPECT_TRUE(view.warnings.empty());
}

TEST_F(TransportTest, EndNoticeWhileClosingChangesNothing) {
  view.Click(TransportButton::All);
  transport.PlayAll();
  view.closing = true;
  wave.Advance(kThreeSeconds);
  Deliver();
  EXPECT_TRUE(timer.Enabled());
  EXPECT_TRUE(view.buttons[TransportButton::All].down);
}

}  // namespace
}  // namespace slicewright
