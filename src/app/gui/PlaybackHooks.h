#pragma once

#include <cstdint>

namespace slicewright {

// The playback side of loading, closing and switching applications. The
// window holds none until playback is attached; without it nothing sounds.
class PlaybackHooks {
 public:
  virtual ~PlaybackHooks() = default;
  // Opens the output device at the rate; false when it cannot be opened.
  virtual bool OpenDevice(int32_t sampleRate) = 0;
  virtual bool IsDeviceOpen() const = 0;
  // Stops playback and the play-line timer and closes the device if open.
  virtual void StopAndCloseDevice() = 0;
  // Stops the play-line timer only (the window is about to close).
  virtual void StopPlayTimer() = 0;
};

}  // namespace slicewright
