#pragma once

#include <QPoint>
#include <vector>

#include "support/TestWindow.h"
#include "support/WaveFiles.h"
#include "view/gui/PaintBoxes.h"

namespace slicewright::test {

// A shown main window with a waveform area of a known width and a loaded
// file of silence, whose slice points a test sets by hand. The default file
// is 128000 bytes over 640 columns: 200 bytes to a column at zoom 1.
struct EditingWindow : TestWindow {
  static constexpr int kWidth = 640;
  static constexpr int kSamples = 64000;

  explicit EditingWindow(int width = kWidth, int samples = kSamples);

  // Replaces the slice points; every point given is active (its strength is
  // above the threshold or it is locked) unless it is disabled.
  void SetPoints(const std::vector<SlicePoint>& points);
  // An enabled, unlocked point that cuts the audio.
  static SlicePoint Active(int32_t position) { return SlicePoint{position, 5000, true, false}; }

  Document& doc() { return form.document(); }
  int Height() const { return form.PaintBox1->height(); }
  // A row of the waveform area inside the icon strip (transport panel at the bottom).
  QPoint InStrip(int x) const { return QPoint(x, Height() - 5); }
  // A row above the icon strip.
  QPoint AboveStrip(int x) const { return QPoint(x, Height() - 30); }
  std::vector<int32_t> PointPositions();
  // Overwrites the audio with a ramp, so every sample differs from its
  // neighbours and any stretch can be told from any other; returns the bytes.
  std::vector<uint8_t> FillWithRamp();
  int PlayBlocks() const { return playback.wave.PlayBlockCount(); }
  // Moves the mouse over the waveform to column x (Qt drops a move to where
  // the mouse already is, so it comes from the pixel above).
  void PointAt(int x);
  // Bytes [start, end) of a buffer, to compare stretches of audio.
  static std::vector<uint8_t> Bytes(const std::vector<uint8_t>& from, int32_t start, int32_t end) {
    return {from.begin() + start, from.begin() + end};
  }

  TestFolder folder;
};

}  // namespace slicewright::test
