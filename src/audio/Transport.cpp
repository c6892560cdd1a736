#include "audio/Transport.h"

#include <algorithm>
#include <cstring>

#include "audio/AudioMessages.h"
#include "audio/PlayLineMath.h"
#include "document/LoadMessages.h"
#include "document/Rounding.h"
#include "view/ViewRange.h"

namespace slicewright {

namespace {
// Interval the timer is left at when playback stops or ends.
constexpr uint16_t kStopInterval = 1;
}  // namespace

Transport::Transport(Document& doc, WaveOutput& wave, TThreadedTimer& timer, TransportView& view)
    : doc_(doc), wave_(wave), timer_(timer), view_(view) {
  wave_.OnWaveoutput = [this] { OnBlockDone(); };
  timer_.SetOnTimer([this] { OnTick(); });
}

Transport::~Transport() {
  wave_.OnWaveoutput = nullptr;
  timer_.SetOnTimer(nullptr);
}

void Transport::PlayLineTiming() {
  const PlayLineTimingResult timing = ComputePlayLineTiming(doc_, view_.PaintBoxWidth());
  playLineStep_ = timing.step;
  timer_.SetInterval(timing.intervalMs);
}

bool Transport::IsSegment(int32_t segment) const { return segment >= 1 && segment <= doc_.SegmentCount(); }

int32_t Transport::ValidSegment(int32_t segment) const {
  return std::clamp(segment, 1, std::max(1, doc_.SegmentCount()));
}

int32_t Transport::CopyToPlayBuffer(int32_t start, int32_t length) {
  const int64_t available = static_cast<int64_t>(doc_.SampleStream.size()) - start;
  if (start < 0 || length <= 0 || available <= 0) return 0;
  const auto count = static_cast<size_t>(std::min<int64_t>(length, available));
  if (doc_.PlayBuffer.size() < count) {
    // Growing may move the buffer, which the device must not be reading.
    if (wave_.WavOpen() && wave_.Playing()) wave_.StopDevice();
    doc_.PlayBuffer.resize(count);
  }
  std::memcpy(doc_.PlayBuffer.data(), doc_.SampleStream.data() + start, count);
  return static_cast<int32_t>(count);
}

void Transport::FillPlayRange(int32_t start, int32_t length) {
  // The start counts as well as the length: a scrolled view or moved
  // locators of the same length hold other bytes.
  if (length == doc_.PlayBufferLength && start == doc_.PlayBufferStart && !doc_.PlayBufferStale) return;
  doc_.PlayBufferStale = false;
  doc_.PlayBufferLength = CopyToPlayBuffer(start, length);
  doc_.PlayBufferStart = start;
}

void Transport::PlayBlock(int32_t length, bool loop) {
  if (wave_.WavOpen() && length > 0) {
    wave_.PlayBlock(doc_.PlayBuffer.data(), static_cast<uint32_t>(length), loop);
  }
}

void Transport::PlaySelectedSegment() {
  const int32_t s = doc_.SelectedSegment;
  if (!IsSegment(s)) return;
  int32_t start = 0;
  int32_t length = 0;
  if (s == 1 && doc_.ActivePointCount == 0) {
    length = doc_.DataLength;
  } else if (s == 1) {
    length = doc_.ActivePoints[1].Position - 1;
  } else if (s == doc_.ActivePointCount + 1) {
    start = doc_.ActivePoints[s - 1].Position;
    length = doc_.DataLength - start;
  } else {
    start = doc_.ActivePoints[s - 1].Position;
    length = doc_.ActivePoints[s].Position - start - 1;
  }
  // Always copied: a buffer of the same length may hold another range.
  const int32_t copied = CopyToPlayBuffer(start, length);
  doc_.PlayBufferStale = true;
  PlayBlock(copied, false);
}

void Transport::HaltPlayLine(uint16_t interval) {
  timer_.SetEnabled(false);
  playTimerRunning_ = false;
  timer_.SetInterval(interval);
}

void Transport::StartPlayLine() {
  timer_.SetEnabled(true);
  playTimerRunning_ = true;
}

void Transport::ResumePlayLine() {
  if (playTimerRunning_) timer_.SetEnabled(true);
}

void Transport::SetToggles(bool enabled, bool allDown, bool loopDown, bool selectedDown) {
  for (TransportButton button : {TransportButton::All, TransportButton::Loop, TransportButton::Selected}) {
    view_.SetButtonEnabled(button, enabled);
  }
  view_.SetButtonDown(TransportButton::All, allDown);
  view_.SetButtonDown(TransportButton::Loop, loopDown);
  view_.SetButtonDown(TransportButton::Selected, selectedDown);
}

void Transport::Stop() {
  if (wave_.WavOpen()) wave_.StopDevice();
  // A stopped loop sends no end notice, so the play line is halted here.
  HaltPlayLine(kStopInterval);
  view_.SetButtonEnabled(TransportButton::All, true);
  view_.SetButtonEnabled(TransportButton::Loop, true);
  view_.SetButtonDown(TransportButton::All, false);
  view_.SetButtonDown(TransportButton::Selected, false);
  view_.SetButtonDown(TransportButton::Loop, false);
  loopPlaying_ = false;
}

void Transport::OnBlockDone() {
  if (view_.Closing()) return;
  HaltPlayLine(kStopInterval);
  SetToggles(true, false, false, false);
  if (wave_.WavOpen()) wave_.StopDevice();
}

void Transport::PlayAll() {
  if (!wave_.WavOpen()) view_.SetButtonDown(TransportButton::All, false);
  if (!wave_.WavOpen() || !view_.IsButtonDown(TransportButton::All) || loopPlaying_) {
    Stop();
    return;
  }
  if (timer_.Enabled()) {
    loopPlaying_ = false;
    HaltPlayLine(kIdleInterval);
  }
  FillPlayRange(doc_.ViewStart, doc_.ViewLength);
  PlayLineTiming();
  view_.SetPlayLine(0, false);
  StartPlayLine();
  view_.SetButtonDown(TransportButton::Loop, false);
  view_.SetButtonDown(TransportButton::Selected, false);
  PlayBlock(doc_.PlayBufferLength, false);
}

void Transport::ToggleLoop() {
  if (!wave_.WavOpen()) view_.SetButtonDown(TransportButton::Loop, false);
  const int32_t length = doc_.RightLocatorPos - doc_.LeftLocatorPos;
  // An empty region has nothing to repeat.
  if (!view_.IsButtonDown(TransportButton::Loop) || !wave_.WavOpen() || length <= 0) {
    Stop();
    return;
  }
  if (timer_.Enabled()) {
    loopPlaying_ = false;
    HaltPlayLine(kIdleInterval);
  }
  FillPlayRange(doc_.LeftLocatorPos, length);
  PlayLineTiming();
  view_.SetPlayLine(PlayLineColumn(doc_, doc_.LeftLocatorPos, view_.PaintBoxWidth()), false);
  loopPlaying_ = true;
  StartPlayLine();
  view_.SetButtonDown(TransportButton::All, false);
  view_.SetButtonDown(TransportButton::Selected, false);
  PlayBlock(doc_.PlayBufferLength, true);
}

void Transport::PlaySelected() {
  if (!wave_.WavOpen()) {
    view_.SetButtonDown(TransportButton::Selected, false);
  } else {
    wave_.StopDevice();
  }
  HaltPlayLine(kIdleInterval);
  for (TransportButton button : {TransportButton::All, TransportButton::Loop, TransportButton::Selected}) {
    view_.SetButtonEnabled(button, true);
  }
  view_.SetButtonDown(TransportButton::All, false);
  view_.SetButtonDown(TransportButton::Loop, false);
  loopPlaying_ = false;
  PlaySelectedSegment();
}

void Transport::PlaySegmentClicked(int32_t segment) {
  if (!IsSegment(segment)) return;
  if (wave_.WavOpen()) {
    wave_.StopDevice();
    view_.SetButtonDown(TransportButton::All, false);
    view_.SetButtonDown(TransportButton::Loop, false);
    view_.SetButtonDown(TransportButton::Selected, true);
  }
  doc_.SelectedSegment = segment;
  loopPlaying_ = false;
  HaltPlayLine(kIdleInterval);
  view_.EnableSelectedSegmentItems();
  doc_.SegmentSelected = true;
  view_.DrawSegmentStrip();
  view_.SetButtonEnabled(TransportButton::Selected, true);
  PlaySelectedSegment();
}

void Transport::OnTick() {
  if (doc_.PlayBufferLength <= 0 || doc_.DataLength <= 0 || doc_.ViewLength <= 0) return;
  const uint32_t played = wave_.BytesPlayed();
  // A loop's count runs on across repetitions; the line wraps to the start.
  const uint32_t offset = played % static_cast<uint32_t>(doc_.PlayBufferLength);
  const int64_t current = static_cast<int64_t>(doc_.PlayBufferStart) + offset;
  view_.SetPlayLine(PlayLineColumn(doc_, current, view_.PaintBoxWidth()), wave_.BytesPlayed() > 0);
}

bool Transport::KeyPressed(char key) {
  switch (key) {
    case '-':
    case '_':
      StepSelectionBack();
      return true;
    case '+':
    case '=':
      StepSelectionForward();
      return true;
    case '\r':
    case '\n':
      PlaySelected();
      return true;
    case ' ':
      PlayFromPointer();
      return true;
    default:
      return false;
  }
}

void Transport::StepSelectionBack() {
  // Wraps to the R locator's segment on passing the L locator's segment,
  // and also on leaving the segments altogether (a selection left of L).
  int32_t segment = doc_.SelectedSegment - 1;
  if (segment == doc_.LeftLocatorSegment - 1 || !IsSegment(segment)) {
    segment = ValidSegment(doc_.RightLocatorSegment);
  }
  doc_.SelectedSegment = segment;
  PlaySelected();
  view_.DrawSegmentStrip();
}

void Transport::StepSelectionForward() {
  PlaySelected();
  const int32_t right = ValidSegment(doc_.RightLocatorSegment);
  doc_.SelectedSegment = doc_.SelectedSegment < right ? std::max(doc_.SelectedSegment + 1, 1)
                                                      : ValidSegment(doc_.LeftLocatorSegment);
  doc_.SegmentSelected = true;
  view_.DrawSegmentStrip();
}

void Transport::PlayFromPointer() {
  const int32_t width = view_.PaintBoxWidth();
  if (width <= 0 || doc_.DataLength <= 0) return;
  const double p = ByteAtColumn(doc_, std::clamp(view_.PointerX(), 0, width), width);
  const int32_t last = doc_.ActivePointCount + 1;
  int32_t i = doc_.SegmentHolding(p);
  int32_t start = 0;
  if (view_.PointerPlaysFromPoint()) {
    start = RoundHalfEven(p) / 2 * 2;
    const int32_t halfColumn = RoundHalfEven(static_cast<double>(doc_.DataLength) / width * 0.5);
    if (doc_.ActivePoints[i].Position - start < halfColumn) {
      start = doc_.ActivePoints[i].Position;
      ++i;
    }
  } else {
    start = doc_.ActivePoints[i - 1].Position;
  }
  // On the end point itself there is nothing left to play.
  if (i > last) return;
  const int32_t length = doc_.ActivePoints[i].Position - 2 - start;
  if (length <= 0) return;
  if (wave_.WavOpen()) wave_.StopDevice();
  SetToggles(true, false, false, false);
  loopPlaying_ = false;
  timer_.SetInterval(kIdleInterval);
  doc_.PlayBufferStale = true;
  PlayBlock(CopyToPlayBuffer(start, length), false);
}

bool Transport::CheckSoundDevice() {
  if (wave_.OutputDeviceCount() > 0) return true;
  view_.ShowError(messages::kNoSoundcard);
  return false;
}

void Transport::AppDeActivate() {
  if (!doc_.HasFile()) return;
  if (wave_.WavOpen()) wave_.CloseDevice();
  loopPlaying_ = false;
  HaltPlayLine(kIdleInterval);
  // Nothing plays any more, so no toggle may stay down.
  SetToggles(true, false, false, false);
}

void Transport::AppActivate() {
  if (!doc_.FileLoaded || wave_.WavOpen()) return;
  if (wave_.OpenDevice() != 0) view_.ShowWarning(messages::kUnableToOpenWaveDevice);
}

void Transport::DocumentLoaded() {
  const auto rate = static_cast<uint32_t>(doc_.SampleRate);
  // An open device keeps its rate, so a file of another rate reopens it.
  if (wave_.WavOpen() && wave_.Rate() != rate) wave_.CloseDevice();
  wave_.SetRate(rate);
  const int32_t result = wave_.OpenDevice();
  if (result != 0 && result != 1) view_.ShowWarning(messages::kUnableToOpenWaveDevice);
}

void Transport::DocumentClosing() {
  if (wave_.WavOpen()) {
    wave_.StopDevice();
    wave_.CloseDevice();
  }
  loopPlaying_ = false;
  HaltPlayLine(kIdleInterval);
  SetToggles(false, false, false, false);
}

void Transport::LocatorDropped() {
  if (!loopPlaying_) return;
  if (wave_.WavOpen()) wave_.StopDevice();
  ToggleLoop();
}

}  // namespace slicewright
