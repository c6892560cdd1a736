#pragma once

#include <cstdint>

#include "audio/ThreadedTimer.h"
#include "audio/TransportView.h"
#include "audio/WaveOutput.h"
#include "document/Document.h"

namespace slicewright {

// Plays the document: the visible range ("All"), the region between the
// locators ("Loop"), the selected segment, or a stretch chosen with the
// keyboard; moves the play line while "All" or "Loop" plays; releases the
// device while the application is in the background. Everything runs on
// the user-interface thread. The transport takes over the wave output's
// OnWaveoutput and the timer's OnTimer for its lifetime.
class Transport {
 public:
  Transport(Document& doc, WaveOutput& wave, TThreadedTimer& timer, TransportView& view);
  ~Transport();
  Transport(const Transport&) = delete;
  Transport& operator=(const Transport&) = delete;

  // Play-line step and timer interval for the current view.
  void PlayLineTiming();
  // Plays SelectedSegment once; does nothing for an index with no segment.
  void PlaySelectedSegment();

  // "Stop".
  void Stop();
  // The end notice of a block that was not looped.
  void OnBlockDone();
  // "All" pressed or raised: plays the visible range once; during a loop it
  // stops everything.
  void PlayAll();
  // "Loop" pressed or raised: repeats the region between the locators.
  void ToggleLoop();
  // "Selected", and Enter.
  void PlaySelected();
  // A click in the waveform on the given segment.
  void PlaySegmentClicked(int32_t segment);
  // The play-line tick.
  void OnTick();
  // "-", "_", "+", "=", Enter and Space; returns whether the key was used.
  bool KeyPressed(char key);

  // False, after the error box, when the system offers no output device;
  // the program then ends.
  bool CheckSoundDevice();
  // The application loses or regains the focus.
  void AppDeActivate();
  void AppActivate();
  // A document was loaded: open the device at its rate.
  void DocumentLoaded();
  // The document is about to be closed: stop and release the device.
  void DocumentClosing();
  // A locator was dropped: a running loop continues over the new region.
  void LocatorDropped();
  // After a command that paused the timer: the play line runs again if
  // "All" or "Loop" started it.
  void ResumePlayLine();

  bool LoopPlaying() const { return loopPlaying_; }
  bool PlayTimerRunning() const { return playTimerRunning_; }
  int32_t PlayLineStep() const { return playLineStep_; }

  // Interval the timer keeps while no play line runs.
  static constexpr uint16_t kIdleInterval = 5;

 private:
  void PlayFromPointer();
  void StepSelectionForward();
  void StepSelectionBack();
  // Halts the play-line timer at the given interval.
  void HaltPlayLine(uint16_t interval);
  void StartPlayLine();
  void SetToggles(bool enabled, bool allDown, bool loopDown, bool selectedDown);
  // Fills PlayBuffer with `length` bytes from `start`, clamped to the data;
  // returns the bytes copied.
  int32_t CopyToPlayBuffer(int32_t start, int32_t length);
  // Makes PlayBuffer hold the range play-all or loop plays, rereading only
  // when it holds something else.
  void FillPlayRange(int32_t start, int32_t length);
  void PlayBlock(int32_t length, bool loop);
  bool IsSegment(int32_t segment) const;
  int32_t ValidSegment(int32_t segment) const;

  Document& doc_;
  WaveOutput& wave_;
  TThreadedTimer& timer_;
  TransportView& view_;
  bool loopPlaying_ = false;
  bool playTimerRunning_ = false;
  int32_t playLineStep_ = 1;
};

}  // namespace slicewright
