#pragma once

#include <QColor>
#include <QImage>
#include <functional>

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

// Builds the waveform picture in off-screen images and puts it on the two
// paint boxes: the waveform area and the selected-segment strip. Detection
// reports to it while it runs, so it draws the disabled icons, the scan's
// progress and finally the marks of the active points.
class WaveView : public DetectionObserver {
 public:
  // Where an overlay column is saved from: what is on screen, or the clean
  // picture without overlays.
  enum class ColumnSource { Screen, CleanPicture };

  WaveView(Document& doc, ImageBox& paintBox1, ImageBox& paintBox2);

  ViewDisplay& Display() { return display_; }
  // The waveform columns are drawn only while this says the document is
  // ready for editing (the sensitivity control is enabled).
  void SetWaveformShown(std::function<bool()> shown) { waveformShown_ = std::move(shown); }
  void SetPointLimitHandler(std::function<void()> handler) { pointLimitHandler_ = std::move(handler); }

  // Renders (when WaveImageStale is set), detects and marks, and draws the strip.
  void RefreshDocumentView();
  void RenderWaveImage();
  void DetectAndMark();
  void DrawSegmentStrip();

  const QImage& WaveImage() const { return waveImage_; }
  const QImage& WaveImageCopy() const { return waveImageCopy_; }
  const QImage& PlayLineImage() const { return playLineImage_; }
  const QImage& PlayLineBackground() const { return playLineBackground_; }
  const QImage& TrackLineBackground() const { return trackLineBackground_; }

  // Play line steps, for playback.
  int PlayLineX() const { return playLineX_; }
  void ErasePlayLine();
  void MovePlayLine(int x, ColumnSource source);
  void DrawPlayLine();
  // Sizes the play-line images to the waveform's height and fills the line
  // with the play colour.
  void PreparePlayLineImages();

  // Tracking line steps, for the point tools.
  int TrackLineX() const { return trackLineX_; }
  void SetTrackLineX(int x) { trackLineX_ = x; }
  void SaveTrackLineBackground(int x, ColumnSource source);
  void EraseTrackLine();
  void DrawTrackLine(int x, ColumnSource source);
  // Puts column x of the clean picture back on screen.
  void RestoreColumn(int x);
  // The pen the tracking line is drawn with.
  void SetTrackPen(const QColor& colour) { trackPen_ = colour; }

  // DetectionObserver
  void RunStarted() override;
  void ScanProgress(int32_t bytesRead) override;
  void InactiveDisabledPoint(const SlicePoint& point) override;
  void ActivePointsSelected() override;
  void PointLimitReached() override;

 private:
  int Width() const;
  int Height() const;
  qreal PixelRatio() const;
  int IconTop() const;
  int Column(int64_t position) const;
  QImage NewImage(int width, int height) const;
  QImage CopyColumn(const QImage& source, int x) const;
  void PutColumn(QImage& target, int x, const QImage& column);
  void ShowColumn(int x);
  void EnsureIcons();
  void DrawPointMarks();

  Document& doc_;
  ImageBox& paintBox1_;
  ImageBox& paintBox2_;
  ViewDisplay display_;
  std::function<bool()> waveformShown_;
  std::function<void()> pointLimitHandler_;
  // The detection run under way scans the audio afresh.
  bool runRescans_ = false;

  QImage waveImage_;
  QImage waveImageCopy_;
  QImage playLineImage_;
  QImage playLineBackground_;
  QImage trackLineBackground_;
  QImage sampleIcon_;
  QImage lockIcon_;
  QImage disabledIcon_;
  qreal iconRatio_ = 0;

  int playLineX_ = 0;
  int trackLineX_ = 0;
  QColor trackPen_ = Qt::red;
  int progressWidth_ = 0;
};

}  // namespace slicewright
