#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "audio/UiThread.h"

namespace slicewright {

// Plays one block of 16-bit mono PCM from memory, once or as a seamless loop,
// and reports the end of a non-looped block through OnWaveoutput on the
// user-interface thread. The caller keeps the block alive and unmoved while
// it plays; after PlayBlock, StopDevice or CloseDevice return, the previous
// block is no longer read.
//
// Every block gets an id. Its done notice is posted once, whether the block
// ran out, was stopped or was replaced, and is dropped on arrival when a
// later block has started meanwhile: a replaced block never ends the newer
// playback.
class WaveOutput {
 public:
  explicit WaveOutput(UiThread& ui);
  virtual ~WaveOutput();
  WaveOutput(const WaveOutput&) = delete;
  WaveOutput& operator=(const WaveOutput&) = delete;

  // Opens the output at Rate(): 0 on success, 1 when already open, another
  // value (the device's error code) on failure.
  virtual int32_t OpenDevice() = 0;
  // Stops what plays and releases the device. Always 0.
  virtual int32_t CloseDevice() = 0;
  // Stops output at once; the block's done notice follows. Always true.
  virtual bool StopDevice() = 0;
  // Bytes of the current block heard so far (counting on across the
  // repetitions of a loop); 0 when nothing plays.
  virtual uint32_t BytesPlayed() = 0;
  // Starts the block, replacing any block that plays. An odd length plays
  // whole samples only. Does nothing while the device is closed. Always 0.
  virtual int32_t PlayBlock(const uint8_t* data, uint32_t length, bool loop) = 0;
  // Output devices the system offers, over every audio interface.
  virtual int OutputDeviceCount() = 0;

  bool WavOpen() const { return wavOpen_; }
  // A block has been started and its done notice has not yet arrived.
  bool Playing() const { return playing_; }
  uint32_t Rate() const { return rate_; }
  void SetRate(uint32_t rate) { rate_ = rate; }
  // Text of the last device result worth keeping.
  const std::string& Info() const { return info_; }

  // Fired on the user-interface thread when a non-looped block is done.
  std::function<void()> OnWaveoutput;

 protected:
  void SetWavOpen(bool open) { wavOpen_ = open; }
  void SetInfo(std::string info) { info_ = std::move(info); }

  // Marks a new block as current and returns its id.
  uint64_t BeginBlock(bool loop);
  uint64_t CurrentBlock() const { return currentBlock_; }
  bool CurrentBlockLoops() const { return looping_; }

  // Posts the done notice of block `id` unless it was posted already. Safe
  // from any thread.
  void NoticeBlockDone(uint64_t id);
  // Posts the notice of the current block if it is still playing.
  void EndCurrentBlock();

 private:
  void DeliverDoneNotice(uint64_t id);

  UiThread& ui_;
  // Posted notices hold a weak reference, so none runs after destruction.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  std::atomic<uint64_t> lastNoticed_{0};
  uint64_t currentBlock_ = 0;
  bool looping_ = false;
  bool playing_ = false;
  bool wavOpen_ = false;
  uint32_t rate_ = 0;
  std::string info_;
};

}  // namespace slicewright
