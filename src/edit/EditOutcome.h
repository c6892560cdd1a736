#pragma once

#include <cstdint>

namespace slicewright {

// Where the window puts the L and R buttons after an edit.
enum class LocatorButtons {
  Keep,           // where they are
  FromPositions,  // shown or hidden by the view, placed at the locator positions
  AtEnds,         // shown at the two ends of the waveform area
};

// What the window does after a core edit. The core changes the document; the
// window stops playback, redraws and places its controls as asked here.
struct EditOutcome {
  // The document changed (false when the edit was refused or found nothing).
  bool Changed = false;
  // The edit was refused because the point table is full.
  bool PointTableFull = false;
  // An undo record was written: the Undo menu item becomes enabled.
  bool UndoAvailable = false;
  // Stop playback before acting on anything else.
  bool StopPlayback = false;
  // Zoom 1:1 before the refresh.
  bool ZoomOneToOne = false;
  // The view's drag state is stale (the audio under it was replaced).
  bool ClearDragState = false;
  // Run the whole refresh sequence with WaveImageStale set.
  bool Refresh = false;
  // After the refresh, call DeriveLocatorSegments: the active points changed
  // under locators that keep their byte positions.
  bool DeriveLocatorSegments = false;
  // The points changed under unchanged audio: the selection stays on the
  // audio it held, whatever its index becomes.
  bool SelectionFollowsAudio = false;
  LocatorButtons Buttons = LocatorButtons::Keep;
  // A point now exists, so "Zoom To Segment" makes sense.
  bool EnableZoomToSegment = false;
  // PlayBuffer was rewritten in place; a running block plays the new bytes.
  bool PlayBufferRewritten = false;
};

}  // namespace slicewright
