#include "support/EditingWindow.h"

#include <QCoreApplication>
#include <QTest>

#include "view/LocatorSegments.h"
#include "view/gui/PaintBoxes.h"

namespace slicewright::test {

EditingWindow::EditingWindow(int width, int samples) {
  form.show();
  // The edit tool bar takes 53 columns and the waveform panel 4 more.
  form.resize(width + 57, 400);
  if (!QTest::qWaitForWindowExposed(&form)) qFatal("window not exposed");
  QCoreApplication::processEvents();
  dialogs.openAnswers.append(
      folder.Write(QStringLiteral("edit.wav"), WaveBytes(std::vector<int16_t>(samples, 0))));
  form.OpenFile();
  if (!dialogs.messages.isEmpty() || !form.document().FileLoaded) qFatal("test file not loaded");
}

void EditingWindow::SetPoints(const std::vector<SlicePoint>& points) {
  Document& d = doc();
  d.RescanPending = false;
  d.Threshold = 1000;
  d.SlicePointCount = static_cast<int32_t>(points.size());
  for (size_t i = 0; i < points.size(); ++i) d.SlicePoints[i + 1] = points[i];
  d.SlicePoints[points.size() + 1] = SlicePoint{d.DataLength, 0, false, false};
  d.WaveImageStale = true;
  form.RefreshDocumentView();
  d.RightLocatorSegment = d.SegmentCount();
  DeriveLocatorSegments(d);
}

std::vector<int32_t> EditingWindow::PointPositions() {
  std::vector<int32_t> positions;
  for (int32_t i = 1; i <= doc().SlicePointCount; ++i) positions.push_back(doc().SlicePoints[i].Position);
  return positions;
}

void EditingWindow::PointAt(int x) {
  QTest::mouseMove(form.PaintBox1, QPoint(x, 21));
  QTest::mouseMove(form.PaintBox1, QPoint(x, 20));
}

std::vector<uint8_t> EditingWindow::FillWithRamp() {
  Document& document = doc();
  for (int32_t i = 0; i < document.DataLength / 2; ++i) {
    const auto value = static_cast<uint16_t>(i % 30000 + 1);
    document.SampleStream[2 * i] = static_cast<uint8_t>(value & 0xFF);
    document.SampleStream[2 * i + 1] = static_cast<uint8_t>(value >> 8);
  }
  document.SamplesReplaced();
  document.PlayBufferStale = true;
  return document.SampleStream;
}

}  // namespace slicewright::test
