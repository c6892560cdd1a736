#pragma once

#include "audio/ThreadedTimer.h"
#include "audio/gui/QtUiThread.h"
#include "doubles/SimulatedWaveOutput.h"

namespace slicewright {

// The playback devices of a window under test: a simulated output that plays
// only when the test advances it, and a real threaded timer, both reporting
// through the Qt event loop.
struct TestPlayback {
  TestPlayback() { timer.SetEnabled(false); }

  QtUiThread ui;
  SteadyMillisecondClock clock;
  SimulatedWaveOutput wave{ui};
  TThreadedTimer timer{ui, clock};
};

}  // namespace slicewright
