#include "audio/WaveOutput.h"

namespace slicewright {

WaveOutput::WaveOutput(UiThread& ui) : ui_(ui) {}

WaveOutput::~WaveOutput() = default;

uint64_t WaveOutput::BeginBlock(bool loop) {
  ++currentBlock_;
  looping_ = loop;
  playing_ = true;
  return currentBlock_;
}

void WaveOutput::NoticeBlockDone(uint64_t id) {
  // Ids only grow, so claiming the highest noticed id keeps it to one notice per block.
  uint64_t noticed = lastNoticed_.load();
  do {
    if (noticed >= id) return;
  } while (!lastNoticed_.compare_exchange_weak(noticed, id));
  std::weak_ptr<int> alive = alive_;
  ui_.Post([this, alive, id] {
    if (alive.lock()) DeliverDoneNotice(id);
  });
}

void WaveOutput::EndCurrentBlock() {
  if (playing_) NoticeBlockDone(currentBlock_);
}

void WaveOutput::DeliverDoneNotice(uint64_t id) {
  if (id != currentBlock_ || !playing_) return;
  playing_ = false;
  if (looping_) return;
  if (OnWaveoutput) OnWaveoutput();
}

}  // namespace slicewright
