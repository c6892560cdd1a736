#include "audio/gui/TWaveAudio.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "audio/gui/PortAudioDevices.h"

namespace slicewright {

namespace {
constexpr int kMaxChannels = 2;
// The end of a block is heard at most this long after it was rendered;
// longer claims from the device's clock are not believed.
constexpr double kLongestEndDelay = 2.0;
constexpr size_t kInfoLength = 70;

bool Stamped(const PaStreamCallbackTimeInfo& time) {
  return time.outputBufferDacTime > 0.0 && time.currentTime > 0.0 &&
         time.outputBufferDacTime >= time.currentTime &&
         time.outputBufferDacTime - time.currentTime < kLongestEndDelay;
}
}  // namespace

TWaveAudio::TWaveAudio(UiThread& ui) : WaveOutput(ui), notifier_([this] { RunNotifier(); }) {}

TWaveAudio::~TWaveAudio() {
  CloseDevice();
  {
    std::lock_guard lock(notifierMutex_);
    shuttingDown_ = true;
  }
  notifierWake_.notify_all();
  endSignal_.release();
  notifier_.join();
}

int32_t TWaveAudio::Fail(PaError error) {
  if (stream_ != nullptr) {
    Pa_CloseStream(stream_);
    stream_ = nullptr;
  }
  if (initialized_) {
    Pa_Terminate();
    initialized_ = false;
  }
  SetInfo(std::string(Pa_GetErrorText(error)).substr(0, kInfoLength));
  return error;
}

int32_t TWaveAudio::OpenDevice() {
  if (WavOpen()) return 1;
  if (Rate() == 0) return paInvalidSampleRate;
  // Initialised on every open, so a sound server started since is found.
  const PaError init = InitializePortAudio();
  if (init != paNoError) return Fail(init);
  initialized_ = true;
  const PaDeviceIndex device = ChooseOutputDevice();
  if (device == paNoDevice) return Fail(paDeviceUnavailable);
  const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
  PaStreamParameters params{};
  params.device = device;
  // Stereo where possible, so a mono block reaches both speakers.
  params.channelCount = std::clamp(info->maxOutputChannels, 1, kMaxChannels);
  params.sampleFormat = paInt16;
  params.suggestedLatency = info->defaultLowOutputLatency;
  const double blockRate = Rate();
  streamRate_ = Pa_IsFormatSupported(nullptr, &params, blockRate) == paFormatIsSupported
                    ? blockRate
                    : info->defaultSampleRate;
  const PaError opened = Pa_OpenStream(&stream_, nullptr, &params, streamRate_, paFramesPerBufferUnspecified,
                                       paNoFlag, &TWaveAudio::StreamCallback, this);
  if (opened != paNoError) {
    stream_ = nullptr;
    return Fail(opened);
  }
  channels_ = params.channelCount;
  ratio_ = blockRate / streamRate_;
  const PaStreamInfo* streamInfo = Pa_GetStreamInfo(stream_);
  outputLatency_ = streamInfo != nullptr ? streamInfo->outputLatency : 0.0;
  const PaError started = Pa_StartStream(stream_);
  if (started != paNoError) return Fail(started);
  SetInfo(info->name);
  SetWavOpen(true);
  return 0;
}

int32_t TWaveAudio::CloseDevice() {
  if (stream_ != nullptr) {
    SwapCursor(BlockCursor(), 0);
    Pa_AbortStream(stream_);
    const PaError closed = Pa_CloseStream(stream_);
    SetInfo(std::string(Pa_GetErrorText(closed)).substr(0, kInfoLength));
    stream_ = nullptr;
  }
  if (initialized_) {
    Pa_Terminate();
    initialized_ = false;
  }
  sounding_ = false;
  EndCurrentBlock();
  SetWavOpen(false);
  return 0;
}

bool TWaveAudio::StopDevice() {
  SwapCursor(BlockCursor(), 0);
  sounding_ = false;
  EndCurrentBlock();
  return true;
}

int32_t TWaveAudio::PlayBlock(const uint8_t* data, uint32_t length, bool loop) {
  if (!WavOpen()) return 0;
  EndCurrentBlock();
  const uint64_t block = BeginBlock(loop);
  SwapCursor(BlockCursor(data, length, loop, ratio_), block);
  sounding_ = true;
  return 0;
}

uint32_t TWaveAudio::BytesPlayed() {
  if (!Playing() || !sounding_ || stream_ == nullptr) return 0;
  const RenderMark mark = marks_.Latest();
  if (mark.block != CurrentBlock()) return 0;
  const uint64_t frames = HeardFrames(mark, Pa_GetStreamTime(stream_), Rate(), outputLatency_);
  // Jitter in the device's time stamps must not move the play line back.
  if (reportedBlock_ != mark.block || frames > reportedFrames_) {
    reportedBlock_ = mark.block;
    reportedFrames_ = frames;
  }
  return static_cast<uint32_t>(reportedFrames_ * 2);
}

int TWaveAudio::OutputDeviceCount() {
  if (InitializePortAudio() != paNoError) return 0;
  const int count = CountOutputDevices();
  Pa_Terminate();
  return count;
}

void TWaveAudio::SwapCursor(const BlockCursor& cursor, uint64_t block) {
  lock_.Lock();
  cursor_ = cursor;
  cursorBlock_ = block;
  endReported_ = false;
  lock_.Unlock();
}

int TWaveAudio::StreamCallback(const void*, void* output, unsigned long frames,
                               const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags, void* self) {
  static_cast<TWaveAudio*>(self)->Render(static_cast<int16_t*>(output), static_cast<uint32_t>(frames), *time);
  return paContinue;
}

void TWaveAudio::Render(int16_t* out, uint32_t frames, const PaStreamCallbackTimeInfo& time) {
  if (lock_.TryLock()) {
    if (cursor_.Active()) {
      const uint64_t before = cursor_.Consumed();
      const uint32_t written = cursor_.Render(out, frames);
      marks_.Publish(RenderMark{cursorBlock_, before, cursor_.Consumed(), time.outputBufferDacTime});
      if (cursor_.Finished() && !endReported_) {
        endReported_ = true;
        ReportEnd(written, time);
      }
    } else {
      std::fill(out, out + frames, int16_t{0});
    }
    lock_.Unlock();
  } else {
    // The block is being replaced or stopped right now: this buffer is silent.
    std::fill(out, out + frames, int16_t{0});
  }
  // Spread the mono frames over the channels, from the back so none is
  // overwritten before it is read.
  if (channels_ > 1) {
    for (uint32_t i = frames; i-- > 0;) std::fill(out + i * channels_, out + (i + 1) * channels_, out[i]);
  }
}

void TWaveAudio::ReportEnd(uint32_t framesWritten, const PaStreamCallbackTimeInfo& time) {
  const double ahead = Stamped(time) ? time.outputBufferDacTime - time.currentTime : outputLatency_;
  endDelay_.store(std::min(ahead + framesWritten / streamRate_, kLongestEndDelay), std::memory_order_relaxed);
  endedBlock_.store(cursorBlock_, std::memory_order_release);
  endSignal_.release();
}

void TWaveAudio::RunNotifier() {
  for (;;) {
    endSignal_.acquire();
    const uint64_t block = endedBlock_.load(std::memory_order_acquire);
    const auto delay = std::chrono::duration<double>(endDelay_.load(std::memory_order_relaxed));
    std::unique_lock lock(notifierMutex_);
    // The notice waits until the last sample has been heard.
    if (notifierWake_.wait_for(lock, delay, [this] { return shuttingDown_; })) return;
    lock.unlock();
    if (block != 0) NoticeBlockDone(block);
  }
}

}  // namespace slicewright
