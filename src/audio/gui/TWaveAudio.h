#pragma once

#include <portaudio.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <semaphore>
#include <thread>

#include "audio/BlockCursor.h"
#include "audio/HeardPosition.h"
#include "audio/SpinLock.h"
#include "audio/WaveOutput.h"

namespace slicewright {

// The wave output on PortAudio. The stream runs from OpenDevice to
// CloseDevice and plays silence between blocks, so a block starts without
// reopening anything and a loop wraps inside the callback with no gap. The
// callback never blocks or allocates: it only tries the lock shared with
// PlayBlock and StopDevice, and hands the end of a block to a notifier
// thread, which waits until the last sample is heard and then posts the
// done notice to the user-interface thread. When the device refuses the
// block's rate, the stream runs at the device's own rate and the block is
// resampled.
class TWaveAudio : public WaveOutput {
 public:
  // `ui` must outlive the component.
  explicit TWaveAudio(UiThread& ui);
  ~TWaveAudio() override;

  int32_t OpenDevice() override;
  int32_t CloseDevice() override;
  bool StopDevice() override;
  uint32_t BytesPlayed() override;
  int32_t PlayBlock(const uint8_t* data, uint32_t length, bool loop) override;
  int OutputDeviceCount() override;

 private:
  static int StreamCallback(const void* input, void* output, unsigned long frames,
                            const PaStreamCallbackTimeInfo* time, PaStreamCallbackFlags flags, void* self);
  void Render(int16_t* out, uint32_t frames, const PaStreamCallbackTimeInfo& time);
  void ReportEnd(uint32_t framesWritten, const PaStreamCallbackTimeInfo& time);
  void SwapCursor(const BlockCursor& cursor, uint64_t block);
  int32_t Fail(PaError error);
  void RunNotifier();

  PaStream* stream_ = nullptr;
  bool initialized_ = false;
  int channels_ = 1;
  double streamRate_ = 0.0;
  double outputLatency_ = 0.0;
  double ratio_ = 1.0;
  // The block sounds: started and neither stopped nor closed.
  bool sounding_ = false;
  // The highest position BytesPlayed has reported for the block.
  uint64_t reportedBlock_ = 0;
  uint64_t reportedFrames_ = 0;

  // Shared with the callback under lock_.
  SpinLock lock_;
  BlockCursor cursor_;
  uint64_t cursorBlock_ = 0;
  bool endReported_ = false;

  // Written by the callback only.
  RenderMarkExchange marks_;
  std::atomic<uint64_t> endedBlock_{0};
  std::atomic<double> endDelay_{0.0};
  std::counting_semaphore<> endSignal_{0};

  std::mutex notifierMutex_;
  std::condition_variable notifierWake_;
  bool shuttingDown_ = false;
  std::thread notifier_;
};

}  // namespace slicewright
