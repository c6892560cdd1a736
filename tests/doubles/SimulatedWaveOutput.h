#pragma once

#include <cstdint>
#include <vector>

#include "audio/WaveOutput.h"

namespace slicewright {

// A wave output without a device, for headless tests of what drives one:
// playback advances only when the test calls Advance, and done notices go
// through the given user-interface thread like the real ones.
class SimulatedWaveOutput : public WaveOutput {
 public:
  explicit SimulatedWaveOutput(UiThread& ui) : WaveOutput(ui) {}

  int32_t OpenDevice() override;
  int32_t CloseDevice() override;
  bool StopDevice() override;
  uint32_t BytesPlayed() override;
  int32_t PlayBlock(const uint8_t* data, uint32_t length, bool loop) override;
  int OutputDeviceCount() override { return deviceCount_; }

  // Plays `bytes` more of the current block; a non-looped block that reaches
  // its end posts its done notice.
  void Advance(uint32_t bytes);

  void SetOutputDeviceCount(int count) { deviceCount_ = count; }
  // The result the next OpenDevice calls give (0 opens).
  void SetOpenResult(int32_t result) { openResult_ = result; }

  // What the last PlayBlock was given, the bytes copied at the time.
  const std::vector<uint8_t>& LastBlock() const { return lastBlock_; }
  bool LastBlockLoops() const { return CurrentBlockLoops(); }
  int PlayBlockCount() const { return playBlockCount_; }
  int StopCount() const { return stopCount_; }
  // The device is producing sound (a block started and not stopped or done).
  bool Sounding() const { return sounding_; }

 private:
  int deviceCount_ = 1;
  int32_t openResult_ = 0;
  std::vector<uint8_t> lastBlock_;
  uint64_t position_ = 0;
  uint32_t playableBytes_ = 0;
  bool sounding_ = false;
  int playBlockCount_ = 0;
  int stopCount_ = 0;
};

}  // namespace slicewright
