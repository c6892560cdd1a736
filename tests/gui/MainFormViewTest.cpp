#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "app/gui/TMainForm.h"
#include "support/MemoryStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPlayback.h"
#include "support/TestWindow.h"
#include "support/WaveFiles.h"
#include "view/PixelMapping.h"
#include "view/WaveColumns.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

using namespace slicewright;
using namespace slicewright::test;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGreen = qRgb(0, 0x80, 0);
const QRgb kRed = qRgb(0xFF, 0, 0);

// A window whose waveform area is `width` columns wide (the edit tool bar
// takes 53 and the area 4 more).
void SizeWaveArea(TMainForm& form, int width) {
  form.show();
  form.resize(width + 57, 400);
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCoreApplication::processEvents();
}

QRgb Pixel(const TMainForm& form, int x, int y) { return form.PaintBox1->Picture().pixel(x, y); }

// Columns x (1-based, as the renderer numbers them) that show the wave colour anywhere.
QList<int> WaveColumnsDrawn(const TMainForm& form) {
  QList<int> drawn;
  const QImage& screen = form.PaintBox1->Picture();
  const int zero = form.PaintBox1->height() / 2;
  for (int x = 1; x < screen.width(); ++x) {
    for (int y = 1; y < screen.height() - 1; ++y) {
      if (y != zero && screen.pixel(x, y) == kGreen) {
        drawn << x;
        break;
      }
    }
  }
  return drawn;
}

}  // namespace

class MainFormViewTest : public QObject {
  Q_OBJECT

  TestFolder folder_;

  void Load(TMainForm& form, ScriptedDialogs& dialogs, const std::vector<int16_t>& samples) {
    dialogs.openAnswers.append(folder_.Write(QStringLiteral("view.wav"), WaveBytes(samples)));
    form.OpenFile();
    QVERIFY(dialogs.messages.isEmpty());
  }

  // Puts hand-made points in the document and redraws without a rescan.
  static void SetPoints(TMainForm& form, const std::vector<SlicePoint>& points) {
    Document& doc = form.document();
    doc.RescanPending = false;
    doc.SlicePointCount = static_cast<int32_t>(points.size());
    for (size_t i = 0; i < points.size(); ++i) doc.SlicePoints[i + 1] = points[i];
    doc.SlicePoints[points.size() + 1] = SlicePoint{doc.DataLength, 0, false, false};
    doc.WaveImageStale = true;
    form.RefreshDocumentView();
  }

 private slots:
  void emptyAreaShowsBackgroundFrameAndZeroLine() {
    TestWindow w;
    SizeWaveArea(w.form, 600);
    const int h = w.form.PaintBox1->height();
    QCOMPARE(w.form.PaintBox1->width(), 600);
    QCOMPARE(h, w.form.Panel4->height() - 40);
    QCOMPARE(Pixel(w.form, 0, 10), kBlack);
    QCOMPARE(Pixel(w.form, 300, h / 2), kRed);
    QCOMPARE(Pixel(w.form, 300, h / 2 - 1), kBlack);
    QVERIFY(WaveColumnsDrawn(w.form).isEmpty());
  }

  void fiveThousandBytesOverOneThousandColumns() {
    TestWindow w;
    SizeWaveArea(w.form, 1000);
    // One loud sample in each of two places: where the partition puts them
    // decides the column; the last column lies outside the picture.
    std::vector<int16_t> samples(2500, 0);
    samples[1500] = 20000;
    samples[2499] = 20000;
    Load(w.form, w.dialogs, samples);
    QCOMPARE(w.form.PaintBox1->width(), 1000);
    const auto columns = WaveColumns(w.form.document(), 1000);
    int consumed = 0, column = 0;
    for (int i = 0; i < 1000 && column == 0; ++i) {
      consumed += columns[i].bytes;
      if (consumed > 3000) column = i + 1;
    }
    QCOMPARE(WaveColumnsDrawn(w.form), QList<int>{column});
    const int h = w.form.PaintBox1->height();
    // Level 78 reaches row H/2 - Round(78 H / 228); the line stops one short of it.
    const int top = WaveRow(20000 / 256, h);
    QCOMPARE(Pixel(w.form, column, top + 1), kGreen);
    QCOMPARE(Pixel(w.form, column, top), kBlack);
  }

  void fewerSamplesThanColumnsLeaveColumnsEmpty() {
    TestWindow w;
    SizeWaveArea(w.form, 654);
    std::vector<int16_t> samples(500, 12000);
    Load(w.form, w.dialogs, samples);
    const QList<int> drawn = WaveColumnsDrawn(w.form);
    // One column per sample; the empty columns fall between them near the end.
    QCOMPARE(drawn.size(), 500);
    QVERIFY(drawn.last() < 654);
    QCOMPARE(drawn.first(), 1);
    for (int x = 1; x < 450; ++x) QVERIFY(drawn.contains(x));
  }

  void cutLinesAndIconsFollowThePoints() {
    TestWindow w;
    SizeWaveArea(w.form, 800);
    Load(w.form, w.dialogs, std::vector<int16_t>(4000, 0));
    Document& doc = w.form.document();
    doc.ViewStart = 1000;
    doc.ViewEnd = 2600;
    doc.ViewLength = 1600;
    doc.Threshold = 100;
    // At ViewStart (no mark), one sample later (column 1), a locked point, a
    // disabled point outside the view, and an enabled point below the threshold.
    SetPoints(w.form, {{1000, 500, true, false},
                       {1002, 500, true, false},
                       {1400, 0, false, true},
                       {3000, 0, false, false},
                       {1600, 50, true, false}});
    QCOMPARE(doc.ActivePointCount, 3);
    const int h = w.form.PaintBox1->height();
    QCOMPARE(Pixel(w.form, 0, 5), kBlack);  // the frame, no cut line
    QCOMPARE(Pixel(w.form, 1, 5), kRed);
    QCOMPARE(Pixel(w.form, 200, 5), kRed);
    QCOMPARE(Pixel(w.form, 300, 5), kBlack);  // below the threshold: no mark
    // Sample icon at column 1 (white inside its black frame), lock icon at 200 (red frame).
    QCOMPARE(Pixel(w.form, 1 + 7, h - 15), kBlack);
    QCOMPARE(Pixel(w.form, 1 + 1, h - 2), qRgb(255, 255, 255));
    QCOMPARE(Pixel(w.form, 200 + 7, h - 15), kRed);

    // Hidden sample icons leave their top row along the bottom edge.
    w.form.SpeedButton5->click();
    QVERIFY(!w.form.SpeedButton5->isChecked());
    QCOMPARE(Pixel(w.form, 1 + 7, h - 1), kBlack);
    QCOMPARE(Pixel(w.form, 1 + 7, h - 15), kBlack);  // background now
    QCOMPARE(Pixel(w.form, 1 + 1, h - 2), kBlack);

    // Lock icons hidden: no icon but the cut line stays.
    w.form.SpeedButton6->click();
    QCOMPARE(Pixel(w.form, 200 + 7, h - 15), kBlack);
    QCOMPARE(Pixel(w.form, 200, 5), kRed);
  }

  void disabledPointsOutsideTheViewAreClipped() {
    TestWindow w;
    SizeWaveArea(w.form, 800);
    Load(w.form, w.dialogs, std::vector<int16_t>(4000, 0));
    Document& doc = w.form.document();
    doc.ViewStart = 1000;
    doc.ViewEnd = 2600;
    doc.ViewLength = 1600;
    // Column -5: its icon reaches columns 0 .. 9.
    SetPoints(w.form, {{990, 0, false, false}});
    const int h = w.form.PaintBox1->height();
    QCOMPARE(Pixel(w.form, 9, h - 15), kRed);
    w.form.SpeedButton7->click();
    QCOMPARE(Pixel(w.form, 9, h - 15), kBlack);
  }

  void stripShowsOnlyWhollyVisibleSelectedSegments() {
    TestWindow w;
    SizeWaveArea(w.form, 800);
    Load(w.form, w.dialogs, std::vector<int16_t>(4000, 0));
    Document& doc = w.form.document();
    doc.Threshold = -1;
    SetPoints(w.form, {{2000, 10, true, false}, {4000, 10, true, false}});
    doc.SegmentSelected = true;
    doc.SelectedSegment = 2;  // bytes 2000 .. 4000: columns 200 .. 400
    w.form.waveView().DrawSegmentStrip();
    const QImage& strip = w.form.PaintBox2->Picture();
    QCOMPARE(strip.pixel(300, 5), kGreen);
    QCOMPARE(strip.pixel(200, 5), kBlack);
    QCOMPARE(strip.pixel(100, 5), kBlack);
    doc.ViewStart = 3000;
    doc.ViewLength = doc.ViewEnd - 3000;
    w.form.waveView().DrawSegmentStrip();
    QCOMPARE(w.form.PaintBox2->Picture().pixel(300, 5), kBlack);
  }

  void playAndTrackingLinesAreDrawnOverThePictureWithoutTouchingIt() {
    TestWindow w;
    SizeWaveArea(w.form, 600);
    Load(w.form, w.dialogs, std::vector<int16_t>(3000, 0));
    WaveView& view = w.form.waveView();
    const int h = w.form.PaintBox1->height();
    const QImage picture = w.form.PaintBox1->Picture();
    const auto shown = [&](int x, int y) { return w.form.PaintBox1->grab().toImage().pixel(x, y); };
    view.MovePlayLine(120);
    view.ShowPlayLine();
    QCOMPARE(shown(120, 5), qRgb(0x80, 0x80, 0x80));
    QCOMPARE(shown(120, h / 2), qRgb(0x80, 0x80, 0x80));
    view.HidePlayLine();
    QCOMPARE(shown(120, h / 2), picture.pixel(120, h / 2));
    QCOMPARE(shown(120, 5), kBlack);

    view.ShowTrackLine(50);
    QCOMPARE(shown(50, 0), kRed);
    QCOMPARE(shown(50, h - 1), kRed);
    view.HideTrackLine();
    QCOMPARE(shown(50, 5), kBlack);
    QCOMPARE(w.form.PaintBox1->Picture(), picture);
  }

  void sliderSetsThresholdLabelAndCutLines() {
    TestWindow w;
    SizeWaveArea(w.form, 800);
    Load(w.form, w.dialogs, DrumLoop(44100, 5512));
    QVERIFY(w.form.document().SlicePointCount > 2);
    w.form.TrackBar1->setValue(32767);
    QCOMPARE(w.form.document().Threshold, 32768);
    QCOMPARE(w.form.Label2->text(), QStringLiteral("50%"));
    w.form.TrackBar1->setValue(65536);
    QCOMPARE(w.form.document().Threshold, -1);
    QCOMPARE(w.form.Label2->text(), QStringLiteral("100%"));
    QVERIFY(w.form.document().ActivePointCount > 0);
    QVERIFY(w.form.PopUpZts->isEnabled());
    QCOMPARE(w.form.document().RightLocatorSegment, w.form.document().ActivePointCount + 1);
    w.form.TrackBar1->setValue(0);
    QCOMPARE(w.form.document().Threshold, 65535);
    QCOMPARE(w.form.Label2->text(), QStringLiteral("0%"));
    QCOMPARE(w.form.document().ActivePointCount, 0);
    QCOMPARE(w.form.document().RightLocatorSegment, 1);
  }

  void tempoLabelFollowsBarsAndBeats() {
    TestWindow w;
    SizeWaveArea(w.form, 800);
    Load(w.form, w.dialogs, std::vector<int16_t>(88200, 0));  // two seconds
    QCOMPARE(w.form.Edit1->text(), QStringLiteral("1"));
    QCOMPARE(w.form.Edit2->text(), QStringLiteral("0"));
    QCOMPARE(w.form.Label3->text(), QStringLiteral("120.0 BPM"));
    QVERIFY(w.form.SaveMidMenuItem->isEnabled());
    w.form.UpDown2->setValue(2);
    QCOMPARE(w.form.Label3->text(), QStringLiteral("180.0 BPM"));
    w.form.UpDown1->setValue(0);
    w.form.UpDown2->setValue(3);
    QCOMPARE(w.form.Label3->text(), QStringLiteral("90.0 BPM"));
    w.form.UpDown2->setValue(0);
    QVERIFY(!w.form.SaveMidMenuItem->isEnabled());
    QVERIFY(!w.form.SaveSFMB->isEnabled());
    w.form.document().RightLocatorPos = 88200 * 2 * 4;  // past the data: eight seconds
    w.form.UpDown2->setValue(1);
    QCOMPARE(w.form.Label3->text(), QStringLiteral(" 7.5 BPM"));
    QVERIFY(w.form.SaveSFMB->isEnabled());
  }

  void layoutFollowsThePanelToggles() {
    TestWindow w;
    SizeWaveArea(w.form, 600);
    QCOMPARE(w.form.Panel3->geometry(), QRect(0, 0, 657, 37));
    QCOMPARE(w.form.Panel1->height(), 45);
    QCOMPARE(w.form.Panel1->geometry().bottom(), w.form.centralWidget()->height() - 1);
    QCOMPARE(w.form.PaintBox1->y(), 1);
    QCOMPARE(w.form.PaintBox2->y(), w.form.Panel4->height() - 38);
    QCOMPARE(w.form.Button19->y(), w.form.Panel4->height() - 24);
    QCOMPARE(w.form.Button21->x(), 600 - 17);
    // Window width - 310, less what the zoom panel needs beyond its 20 pixels.
    QCOMPARE(w.form.StatusPanels[0]->width(), 657 + 8 - 310 - (w.form.StatusPanels[3]->width() - 20));

    w.form.ViewETItem->trigger();
    QVERIFY(w.form.Panel2->isHidden());
    QVERIFY(!w.form.EditPop->isChecked());
    QCOMPARE(w.form.PaintBox1->width(), 657 - 4);

    w.form.FilePop->trigger();
    QVERIFY(w.form.Panel3->isHidden());
    QVERIFY(!w.form.Bevel4->isHidden());
    QVERIFY(!w.form.ViewFTItem->isChecked());
    w.form.ViewFTItem->trigger();
    QVERIFY(!w.form.Panel3->isHidden());
    QVERIFY(w.form.Bevel4->isHidden());

    w.form.mnuPpanel->trigger();
    QVERIFY(w.form.mnuPpanel->isChecked());
    QCOMPARE(w.form.Panel1->y(), 37);
    QCOMPARE(w.form.Button19->y(), 2);
    QCOMPARE(w.form.PaintBox2->y(), 25);
    QCOMPARE(w.form.PaintBox1->y(), 38);
  }

  void aSmallWindowKeepsEveryControlApart() {
    TestWindow w;
    w.form.show();
    w.form.resize(300, 200);
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    QCoreApplication::processEvents();
    QVERIFY(w.form.PaintBox1->width() > 100 && w.form.PaintBox1->height() > 40);
    QVERIFY(!w.form.Panel4->geometry().intersects(w.form.Panel2->geometry()));
    QVERIFY(!w.form.Panel4->geometry().intersects(w.form.Panel1->geometry()));
    QVERIFY(w.form.Panel2->childrenRect().bottom() < w.form.Panel2->height());
    const QList<QWidget*> row{w.form.Button3,   w.form.Button4, w.form.Button20, w.form.Button24,
                              w.form.TrackBar1, w.form.Label2,  w.form.Edit1,    w.form.UpDown1,
                              w.form.Edit2,     w.form.UpDown2, w.form.Label3};
    for (int i = 0; i < row.size(); ++i) {
      QVERIFY2(w.form.Panel1->rect().contains(row[i]->geometry()), qPrintable(row[i]->objectName()));
      const int least =
          row[i]->minimumWidth() > 0 ? row[i]->minimumWidth() : row[i]->minimumSizeHint().width();
      QVERIFY2(row[i]->width() >= least, qPrintable(row[i]->objectName()));
      for (int j = i + 1; j < row.size(); ++j) QVERIFY(!row[i]->geometry().intersects(row[j]->geometry()));
    }
  }

  void hintsAndTheSampleReadOut() {
    TestWindow w;
    QCOMPARE(w.form.SpeedButton11->toolTip(), QStringLiteral("Open file"));
    QCOMPARE(w.form.SpeedButton11->statusTip(), QStringLiteral("Click to open a new file"));
    QCOMPARE(w.form.TrackBar1->statusTip(), QStringLiteral("Drag to adjust sensitivity"));
    QCOMPARE(w.form.FileOpenItem->statusTip(), QStringLiteral("Open a new wave file"));
    QCOMPARE(w.form.FileOpenItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(w.form.Reverse1->shortcut(), QKeySequence(Qt::Key_Insert));
    QStatusTipEvent tip(QStringLiteral("Click to open a new file"));
    QCoreApplication::sendEvent(w.form.SpeedButton11, &tip);
    QCOMPARE(w.form.StatusPanels[0]->text(), QStringLiteral("Click to open a new file"));

    SizeWaveArea(w.form, 800);
    Load(w.form, w.dialogs, std::vector<int16_t>(4000, 0));
    QTest::mouseMove(w.form.PaintBox1, QPoint(200, 20));
    QCOMPARE(w.form.StatusPanels[2]->text(), QStringLiteral("s: 1000"));
    QTest::mouseMove(w.form.Button3, QPoint(3, 3));
    QVERIFY(w.form.StatusPanels[2]->text().isEmpty());
  }
};

QTEST_MAIN(MainFormViewTest)
#include "MainFormViewTest.moc"
