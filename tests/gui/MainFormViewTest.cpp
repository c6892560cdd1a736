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
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 600);
    const int h = form.PaintBox1->height();
    QCOMPARE(form.PaintBox1->width(), 600);
    QCOMPARE(h, form.Panel4->height() - 40);
    QCOMPARE(Pixel(form, 0, 10), kBlack);
    QCOMPARE(Pixel(form, 300, h / 2), kRed);
    QCOMPARE(Pixel(form, 300, h / 2 - 1), kBlack);
    QVERIFY(WaveColumnsDrawn(form).isEmpty());
  }

  void fiveThousandBytesOverOneThousandColumns() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 1000);
    // One loud sample in each of two places: where the partition puts them
    // decides the column; the last column lies outside the picture.
    std::vector<int16_t> samples(2500, 0);
    samples[1500] = 20000;
    samples[2499] = 20000;
    Load(form, dialogs, samples);
    QCOMPARE(form.PaintBox1->width(), 1000);
    const auto columns = WaveColumns(form.document(), 1000);
    int consumed = 0, column = 0;
    for (int i = 0; i < 1000 && column == 0; ++i) {
      consumed += columns[i].bytes;
      if (consumed > 3000) column = i + 1;
    }
    QCOMPARE(WaveColumnsDrawn(form), QList<int>{column});
    const int h = form.PaintBox1->height();
    // Level 78 reaches row H/2 - Round(78 H / 228); the line stops one short of it.
    const int top = WaveRow(20000 / 256, h);
    QCOMPARE(Pixel(form, column, top + 1), kGreen);
    QCOMPARE(Pixel(form, column, top), kBlack);
  }

  void fewerSamplesThanColumnsLeaveColumnsEmpty() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 654);
    std::vector<int16_t> samples(500, 12000);
    Load(form, dialogs, samples);
    const QList<int> drawn = WaveColumnsDrawn(form);
    // One column per sample; the empty columns fall between them near the end.
    QCOMPARE(drawn.size(), 500);
    QVERIFY(drawn.last() < 654);
    QCOMPARE(drawn.first(), 1);
    for (int x = 1; x < 450; ++x) QVERIFY(drawn.contains(x));
  }

  void cutLinesAndIconsFollowThePoints() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 800);
    Load(form, dialogs, std::vector<int16_t>(4000, 0));
    Document& doc = form.document();
    doc.ViewStart = 1000;
    doc.ViewEnd = 2600;
    doc.ViewLength = 1600;
    doc.Threshold = 100;
    // At ViewStart (no mark), one sample later (column 1), a locked point, a
    // disabled point outside the view, and an enabled point below the threshold.
    SetPoints(form, {{1000, 500, true, false},
                     {1002, 500, true, false},
                     {1400, 0, false, true},
                     {3000, 0, false, false},
                     {1600, 50, true, false}});
    QCOMPARE(doc.ActivePointCount, 3);
    const int h = form.PaintBox1->height();
    QCOMPARE(Pixel(form, 0, 5), kBlack);  // the frame, no cut line
    QCOMPARE(Pixel(form, 1, 5), kRed);
    QCOMPARE(Pixel(form, 200, 5), kRed);
    QCOMPARE(Pixel(form, 300, 5), kBlack);  // below the threshold: no mark
    // Sample icon at column 1 (white inside its black frame), lock icon at 200 (red frame).
    QCOMPARE(Pixel(form, 1 + 7, h - 15), kBlack);
    QCOMPARE(Pixel(form, 1 + 1, h - 2), qRgb(255, 255, 255));
    QCOMPARE(Pixel(form, 200 + 7, h - 15), kRed);

    // Hidden sample icons leave their top row along the bottom edge.
    form.SpeedButton5->click();
    QVERIFY(!form.SpeedButton5->isChecked());
    QCOMPARE(Pixel(form, 1 + 7, h - 1), kBlack);
    QCOMPARE(Pixel(form, 1 + 7, h - 15), kBlack);  // background now
    QCOMPARE(Pixel(form, 1 + 1, h - 2), kBlack);

    // Lock icons hidden: no icon but the cut line stays.
    form.SpeedButton6->click();
    QCOMPARE(Pixel(form, 200 + 7, h - 15), kBlack);
    QCOMPARE(Pixel(form, 200, 5), kRed);
  }

  void disabledPointsOutsideTheViewAreClipped() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 800);
    Load(form, dialogs, std::vector<int16_t>(4000, 0));
    Document& doc = form.document();
    doc.ViewStart = 1000;
    doc.ViewEnd = 2600;
    doc.ViewLength = 1600;
    // Column -5: its icon reaches columns 0 .. 9.
    SetPoints(form, {{990, 0, false, false}});
    const int h = form.PaintBox1->height();
    QCOMPARE(Pixel(form, 9, h - 15), kRed);
    form.SpeedButton7->click();
    QCOMPARE(Pixel(form, 9, h - 15), kBlack);
  }

  void stripShowsOnlyWhollyVisibleSelectedSegments() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 800);
    Load(form, dialogs, std::vector<int16_t>(4000, 0));
    Document& doc = form.document();
    doc.Threshold = -1;
    SetPoints(form, {{2000, 10, true, false}, {4000, 10, true, false}});
    doc.SegmentSelected = true;
    doc.SelectedSegment = 2;  // bytes 2000 .. 4000: columns 200 .. 400
    form.waveView().DrawSegmentStrip();
    const QImage& strip = form.PaintBox2->Picture();
    QCOMPARE(strip.pixel(300, 5), kGreen);
    QCOMPARE(strip.pixel(200, 5), kBlack);
    QCOMPARE(strip.pixel(100, 5), kBlack);
    doc.ViewStart = 3000;
    doc.ViewLength = doc.ViewEnd - 3000;
    form.waveView().DrawSegmentStrip();
    QCOMPARE(form.PaintBox2->Picture().pixel(300, 5), kBlack);
  }

  void playAndTrackingLinesAreDrawnOverThePictureWithoutTouchingIt() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 600);
    Load(form, dialogs, std::vector<int16_t>(3000, 0));
    WaveView& view = form.waveView();
    const int h = form.PaintBox1->height();
    const QImage picture = form.PaintBox1->Picture();
    const auto shown = [&](int x, int y) { return form.PaintBox1->grab().toImage().pixel(x, y); };
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
    QCOMPARE(form.PaintBox1->Picture(), picture);
  }

  void sliderSetsThresholdLabelAndCutLines() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 800);
    Load(form, dialogs, DrumLoop(44100, 5512));
    QVERIFY(form.document().SlicePointCount > 2);
    form.TrackBar1->setValue(32767);
    QCOMPARE(form.document().Threshold, 32768);
    QCOMPARE(form.Label2->text(), QStringLiteral("50%"));
    form.TrackBar1->setValue(65536);
    QCOMPARE(form.document().Threshold, -1);
    QCOMPARE(form.Label2->text(), QStringLiteral("100%"));
    QVERIFY(form.document().ActivePointCount > 0);
    QVERIFY(form.PopUpZts->isEnabled());
    QCOMPARE(form.document().RightLocatorSegment, form.document().ActivePointCount + 1);
    form.TrackBar1->setValue(0);
    QCOMPARE(form.document().Threshold, 65535);
    QCOMPARE(form.Label2->text(), QStringLiteral("0%"));
    QCOMPARE(form.document().ActivePointCount, 0);
    QCOMPARE(form.document().RightLocatorSegment, 1);
  }

  void tempoLabelFollowsBarsAndBeats() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 800);
    Load(form, dialogs, std::vector<int16_t>(88200, 0));  // two seconds
    QCOMPARE(form.Edit1->text(), QStringLiteral("1"));
    QCOMPARE(form.Edit2->text(), QStringLiteral("0"));
    QCOMPARE(form.Label3->text(), QStringLiteral("120.0 BPM"));
    QVERIFY(form.SaveMidMenuItem->isEnabled());
    form.UpDown2->setValue(2);
    QCOMPARE(form.Label3->text(), QStringLiteral("180.0 BPM"));
    form.UpDown1->setValue(0);
    form.UpDown2->setValue(3);
    QCOMPARE(form.Label3->text(), QStringLiteral("90.0 BPM"));
    form.UpDown2->setValue(0);
    QVERIFY(!form.SaveMidMenuItem->isEnabled());
    QVERIFY(!form.SaveSFMB->isEnabled());
    form.document().RightLocatorPos = 88200 * 2 * 4;  // past the data: eight seconds
    form.UpDown2->setValue(1);
    QCOMPARE(form.Label3->text(), QStringLiteral(" 7.5 BPM"));
    QVERIFY(form.SaveSFMB->isEnabled());
  }

  void layoutFollowsThePanelToggles() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    SizeWaveArea(form, 600);
    QCOMPARE(form.Panel3->geometry(), QRect(0, 0, 657, 37));
    QCOMPARE(form.Panel1->height(), 45);
    QCOMPARE(form.Panel1->geometry().bottom(), form.centralWidget()->height() - 1);
    QCOMPARE(form.PaintBox1->y(), 1);
    QCOMPARE(form.PaintBox2->y(), form.Panel4->height() - 38);
    QCOMPARE(form.Button19->y(), form.Panel4->height() - 24);
    QCOMPARE(form.Button21->x(), 600 - 17);
    // Window width - 310, less what the zoom panel needs beyond its 20 pixels.
    QCOMPARE(form.StatusPanels[0]->width(), 657 + 8 - 310 - (form.StatusPanels[3]->width() - 20));

    form.ViewETItem->trigger();
    QVERIFY(form.Panel2->isHidden());
    QVERIFY(!form.EditPop->isChecked());
    QCOMPARE(form.PaintBox1->width(), 657 - 4);

    form.FilePop->trigger();
    QVERIFY(form.Panel3->isHidden());
    QVERIFY(!form.Bevel4->isHidden());
    QVERIFY(!form.ViewFTItem->isChecked());
    form.ViewFTItem->trigger();
    QVERIFY(!form.Panel3->isHidden());
    QVERIFY(form.Bevel4->isHidden());

    form.mnuPpanel->trigger();
    QVERIFY(form.mnuPpanel->isChecked());
    QCOMPARE(form.Panel1->y(), 37);
    QCOMPARE(form.Button19->y(), 2);
    QCOMPARE(form.PaintBox2->y(), 25);
    QCOMPARE(form.PaintBox1->y(), 38);
  }

  void aSmallWindowKeepsEveryControlApart() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    form.show();
    form.resize(300, 200);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
    QVERIFY(form.PaintBox1->width() > 100 && form.PaintBox1->height() > 40);
    QVERIFY(!form.Panel4->geometry().intersects(form.Panel2->geometry()));
    QVERIFY(!form.Panel4->geometry().intersects(form.Panel1->geometry()));
    QVERIFY(form.Panel2->childrenRect().bottom() < form.Panel2->height());
    const QList<QWidget*> row{form.Button3,   form.Button4, form.Button20, form.Button24,
                              form.TrackBar1, form.Label2,  form.Edit1,    form.UpDown1,
                              form.Edit2,     form.UpDown2, form.Label3};
    for (int i = 0; i < row.size(); ++i) {
      QVERIFY2(form.Panel1->rect().contains(row[i]->geometry()), qPrintable(row[i]->objectName()));
      const int least =
          row[i]->minimumWidth() > 0 ? row[i]->minimumWidth() : row[i]->minimumSizeHint().width();
      QVERIFY2(row[i]->width() >= least, qPrintable(row[i]->objectName()));
      for (int j = i + 1; j < row.size(); ++j) QVERIFY(!row[i]->geometry().intersects(row[j]->geometry()));
    }
  }

  void hintsAndTheSampleReadOut() {
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    QCOMPARE(form.SpeedButton11->toolTip(), QStringLiteral("Open file"));
    QCOMPARE(form.SpeedButton11->statusTip(), QStringLiteral("Click to open a new file"));
    QCOMPARE(form.TrackBar1->statusTip(), QStringLiteral("Drag to adjust sensitivity"));
    QCOMPARE(form.FileOpenItem->statusTip(), QStringLiteral("Open a new wave file"));
    QCOMPARE(form.FileOpenItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(form.Reverse1->shortcut(), QKeySequence(Qt::Key_Insert));
    QStatusTipEvent tip(QStringLiteral("Click to open a new file"));
    QCoreApplication::sendEvent(form.SpeedButton11, &tip);
    QCOMPARE(form.StatusPanels[0]->text(), QStringLiteral("Click to open a new file"));

    SizeWaveArea(form, 800);
    Load(form, dialogs, std::vector<int16_t>(4000, 0));
    QTest::mouseMove(form.PaintBox1, QPoint(200, 20));
    QCOMPARE(form.StatusPanels[2]->text(), QStringLiteral("s: 1000"));
    QTest::mouseMove(form.Button3, QPoint(3, 3));
    QVERIFY(form.StatusPanels[2]->text().isEmpty());
  }
};

QTEST_MAIN(MainFormViewTest)
#include "MainFormViewTest.moc"
