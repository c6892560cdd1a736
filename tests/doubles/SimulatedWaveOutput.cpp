#include "doubles/SimulatedWaveOutput.h"

#include <algorithm>

namespace slicewright {

int32_t SimulatedWaveOutput::OpenDevice() {
  if (WavOpen()) return 1;
  if (openResult_ == 0) SetWavOpen(true);
  return openResult_;
}

int32_t SimulatedWaveOutput::CloseDevice() {
  EndCurrentBlock();
  sounding_ = false;
  position_ = 0;
  SetWavOpen(false);
  return 0;
}

bool SimulatedWaveOutput::StopDevice() {
  ++stopCount_;
  EndCurrentBlock();
  sounding_ = false;
  position_ = 0;
  return true;
}

uint32_t SimulatedWaveOutput::BytesPlayed() { return Playing() ? static_cast<uint32_t>(position_) : 0; }

int32_t SimulatedWaveOutput::PlayBlock(const uint8_t* data, uint32_t length, bool loop) {
  if (!WavOpen()) return 0;
  ++playBlockCount_;
  EndCurrentBlock();
  BeginBlock(loop);
  lastBlock_.assign(data, data + length);
  playableBytes_ = length - length % 2;
  position_ = 0;
  sounding_ = true;
  if (!loop && playableBytes_ == 0) Advance(0);
  return 0;
}

void SimulatedWaveOutput::Advance(uint32_t bytes) {
  if (!sounding_) return;
  position_ += bytes;
  if (CurrentBlockLoops()) return;
  if (position_ >= playableBytes_) {
    position_ = playableBytes_;
    sounding_ = false;
    NoticeBlockDone(CurrentBlock());
  }
}

}  // namespace slicewright
