#pragma once

#include <QColor>
#include <QImage>
#include <functional>
#include <optional>

#include "app/Configuration.h"
#include "detect/SliceDetector.h"
#include "document/Document.h"

namespace slicewright {

class ImageBox;

// How the view draws: colours, which point icons show, and whether the
// transport panel (and so the icon strip) is at the top.
struct ViewDisplay {
  ViewColours colours;
  bool showSampleIcons = true;
  bool showLockIcons = true;
  bool showDisabledIcons = true;
  bool panelAtTop = false;
};

// Draws the document on the two paint boxes: the waveform area and the
// selected-segment strip. The waveform is rendered at the device's pixels
// into a kept image only when WaveImageStale is set; every refresh selects
// the active points and composes the marks over it. The play line and the
// tracking line are lines of the waveform area drawn over the picture, so
// they never redraw it. A scan reports its progress on the strip.
class WaveView : public DetectionObserver {
 public:
  WaveView(Document& doc, ImageBox& paintBox1, ImageBox& paintBox2);

  ViewDisplay& Display() { return display_; }
  // The waveform columns are drawn only while this says the document is
  // ready for editing (the sensitivity control is enabled).
  void SetWaveformShown(std::function<bool()> shown) { waveformShown_ = std::move(shown); }
  void SetPointLimitHandler(std::function<void()> handler) { pointLimitHandler_ = std::move(handler); }

  // The refresh: the waveform when stale, the active points at the threshold
  // with their marks, and the strip. Never scans the audio.
  void RefreshDocumentView();
  void DrawSegmentStrip();
  // Finds the slice points afresh, showing the scan's progress on the strip.
  void Rescan();

  // The play line: shown at a column of the view, or hidden (its column kept).
  void ShowPlayLine();
  void HidePlayLine();
  void MovePlayLine(int x);
  int PlayLineX() const { return playLineX_; }
  // The tracking line of the add tool and of a dragged point.
  void ShowTrackLine(int x);
  void HideTrackLine();
  std::optional<int> TrackLineX() const;
  void SetTrackPen(const QColor& colour) { trackPen_ = colour; }

  // DetectionObserver
  void RunStarted() override;
  void ScanProgress(int32_t bytesRead) override;
  void InactiveDisabledPoint(const SlicePoint& point) override;

 private:
  int Width() const;
  int Height() const;
  qreal PixelRatio() const;
  int IconTop() const;
  int Column(int64_t position) const;
  QImage NewImage(int width, int height) const;
  void RenderWaveImage();
  void EnsureIcons();
  void DrawPointMarks();

  Document& doc_;
  ImageBox& paintBox1_;
  ImageBox& paintBox2_;
  ViewDisplay display_;
  std::function<bool()> waveformShown_;
  std::function<void()> pointLimitHandler_;

  // Background, frame and waveform, without marks.
  QImage waveImage_;
  QImage sampleIcon_;
  QImage lockIcon_;
  QImage disabledIcon_;
  qreal iconRatio_ = 0;

  int playLineX_ = 0;
  QColor trackPen_ = Qt::red;
  int progressWidth_ = 0;
};

}  // namespace slicewright
