#include <QSlider>
#include <QTest>

#include "app/gui/TMainForm.h"
#include "document/LoadMessages.h"
#include "support/MemoryStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPlayback.h"
#include "support/WaveFiles.h"

using namespace slicewright;
using namespace slicewright::test;

// A file with more onsets than the point table holds.
class PointLimitTest : public QObject {
  Q_OBJECT

 private slots:
  void theWarningComesWithTheScanNotWithEveryRedraw() {
    std::vector<int16_t> clicks(8300 * 820 + 2000, 0);
    for (size_t i = 300; i + 820 < clicks.size(); i += 820) clicks[i] = 30000;
    TestFolder folder;
    const QString path = folder.Write(QStringLiteral("dense.wav"), WaveBytes(clicks));

    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    dialogs.openAnswers.append(path);
    form.OpenFile();
    QCOMPARE(form.document().SlicePointCount, PointLimit);
    const QString warning = MessageText(messages::kPointLimit);
    QCOMPARE(dialogs.MessageTexts().count(warning), 1);

    form.TrackBar1->setValue(30000);
    form.resize(form.width() + 50, form.height());
    form.FormResize();
    QCOMPARE(dialogs.MessageTexts().count(warning), 1);

    dialogs.messageAnswers.append(MessageAnswer::Yes);
    form.RevertItemClick();  // a reload scans again
    QCOMPARE(dialogs.MessageTexts().count(warning), 2);
  }
};

QTEST_MAIN(PointLimitTest)
#include "PointLimitTest.moc"
