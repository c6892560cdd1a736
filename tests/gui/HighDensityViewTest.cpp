#include <QApplication>
#include <QTest>
#include <cmath>

#include "support/EditingWindow.h"

using namespace slicewright;
using namespace slicewright::test;

// The waveform area on a screen of two device pixels to the logical pixel:
// the picture has the device's pixels, the waveform is drawn at them rather
// than scaled up, and cut lines keep their logical place and width.
class HighDensityViewTest : public QObject {
  Q_OBJECT

 private slots:
  void theWaveformIsDrawnAtDevicePixels() {
    EditingWindow w;
    QCOMPARE(w.form.PaintBox1->devicePixelRatioF(), 2.0);
    // A sweep whose level changes from one device column to the next.
    Document& doc = w.doc();
    for (int32_t i = 0; i < doc.DataLength / 2; ++i) {
      EncodeSample(&doc.SampleStream[static_cast<size_t>(2 * i)],
                   static_cast<int16_t>(30000 * std::sin(i * i * 1e-7)));
    }
    doc.SamplesReplaced();
    w.SetPoints({EditingWindow::Active(64000)});
    const QImage& picture = w.form.PaintBox1->Picture();
    QCOMPARE(picture.width(), 2 * EditingWindow::kWidth);
    QCOMPARE(picture.height(), 2 * w.form.PaintBox1->height());

    const QRgb wave = qRgb(0, 0x80, 0);
    const auto topOfWave = [&](int x) {
      for (int y = 0; y < picture.height(); ++y) {
        if (picture.pixel(x, y) == wave) return y;
      }
      return -1;
    };
    int differingPairs = 0;
    for (int x = 2; x + 1 < picture.width() - 2; x += 2) differingPairs += topOfWave(x) != topOfWave(x + 1);
    QVERIFY2(differingPairs > EditingWindow::kWidth / 4, qPrintable(QString::number(differingPairs)));

    // The cut line of byte 64000 sits at logical column 320: device columns 640 and 641.
    const QRgb red = qRgb(0xFF, 0, 0);
    QCOMPARE(picture.pixel(640, 10), red);
    QCOMPARE(picture.pixel(641, 10), red);
    QVERIFY(picture.pixel(639, 10) != red);
    QVERIFY(picture.pixel(642, 10) != red);
  }
};

int main(int argc, char** argv) {
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication application(argc, argv);
  HighDensityViewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "HighDensityViewTest.moc"
