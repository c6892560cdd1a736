#pragma once

#include "app/gui/TMainForm.h"
#include "support/MemoryStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPlayback.h"

namespace slicewright::test {

// A main window with nothing open, on scripted dialogs, settings kept in
// memory and playback that moves only when the test advances it.
struct TestWindow {
  ScriptedDialogs dialogs;
  MemoryStore store;
  TestPlayback playback;
  TMainForm form{dialogs, store, playback.wave, playback.timer};
};

}  // namespace slicewright::test
