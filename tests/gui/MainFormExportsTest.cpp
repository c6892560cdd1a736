#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include "export/ExportMessages.h"
#include "export/gui/TForm1.h"
#include "export/gui/TForm6.h"
#include "export/gui/TMidiForm.h"
#include "support/EditingWindow.h"

using namespace slicewright;
using namespace slicewright::test;

namespace {

uint32_t U32At(const QByteArray& bytes, int at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

uint32_t U32BigAt(const QByteArray& bytes, int at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

// Checks a WAV file written from bytes [start, start + length) of the document.
void CheckWave(const QString& path, const Document& doc, int32_t start, int32_t length) {
  const QByteArray bytes = ReadAll(path);
  QCOMPARE(bytes.size(), length + 46);
  QCOMPARE(bytes.left(4), QByteArray("RIFF"));
  QCOMPARE(U32At(bytes, 4), static_cast<uint32_t>(bytes.size() - 8));
  QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
  QCOMPARE(U32At(bytes, 24), static_cast<uint32_t>(doc.SampleRate));
  QCOMPARE(bytes.mid(38, 4), QByteArray("data"));
  QCOMPARE(U32At(bytes, 42), static_cast<uint32_t>(length));
  const QByteArray audio(reinterpret_cast<const char*>(doc.SampleStream.data()) + start, length);
  QVERIFY(bytes.mid(46) == audio);
}

// Three segments: 0..40000, 40000..80000, 80000..128000.
void ThreeSegments(EditingWindow& w) {
  w.SetPoints({EditingWindow::Active(40000), EditingWindow::Active(80000)});
  w.FillWithRamp();
}

void CheckTemplate(const QString& path, uint8_t firstKey) {
  const QByteArray bytes = ReadAll(path);
  QVERIFY(bytes.size() > 22);
  QCOMPARE(bytes.left(14), QByteArray("MThd\0\0\0\x06\0\0\0\x01\0\x80", 14));
  QCOMPARE(bytes.mid(14, 4), QByteArray("MTrk"));
  QCOMPARE(U32BigAt(bytes, 18), static_cast<uint32_t>(bytes.size() - 22));
  QCOMPARE(bytes.mid(48, 4), QByteArray("\0\x90", 2) + static_cast<char>(firstKey) + QByteArray("\x60"));
}

void CheckBank(const QString& path) {
  const QByteArray bytes = ReadAll(path);
  QVERIFY(bytes.size() > 12);
  QCOMPARE(bytes.left(4), QByteArray("RIFF"));
  QCOMPARE(U32At(bytes, 4), static_cast<uint32_t>(bytes.size() - 8));
  QCOMPARE(bytes.mid(8, 4), QByteArray("sfbk"));
}

}  // namespace

// The export commands driven through the window with scripted dialogs.
class MainFormExportsTest : public QObject {
  Q_OBJECT

 private slots:
  void saveToWaveFilesWritesEveryRegionSliceAndRemembersTheFolder() {
    EditingWindow w;
    ThreeSegments(w);
    const QString out = w.folder.Path(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(out));
    // Typed without an extension: the dialog's default one is dropped again.
    w.dialogs.saveAnswers.append(out + QStringLiteral("/beat"));
    QTest::mouseClick(w.form.SaveWaveB, Qt::LeftButton);

    QVERIFY(w.dialogs.messages.isEmpty());
    QCOMPARE(FilesIn(out), QStringList({"beat1.wav", "beat2.wav", "beat3.wav"}));
    CheckWave(out + QStringLiteral("/beat1.wav"), w.doc(), 0, 40000);
    CheckWave(out + QStringLiteral("/beat2.wav"), w.doc(), 40000, 40000);
    CheckWave(out + QStringLiteral("/beat3.wav"), w.doc(), 80000, 48000);
    QVERIFY(!w.form.Form1->isVisible());
    QCOMPARE(w.form.Form1->ProgressBar1->value(), 100);

    const FileDialogRequest& first = w.dialogs.saveRequests.constFirst();
    QCOMPARE(first.title, QStringLiteral("Save File As"));
    QCOMPARE(first.filter, QStringLiteral("Wave Audio Files (*.wav)|*.wav|All Files (*.*)|*.*"));
    QCOMPARE(first.defaultSuffix, QStringLiteral("wav"));
    QCOMPARE(first.fileName, QStringLiteral("*.wav"));

    // The next save starts in the folder of the last, with the pattern again;
    // the folder is among the settings written at close.
    w.form.SplitMenuItem->trigger();
    QCOMPARE(w.dialogs.saveRequests.size(), 2);
    QCOMPARE(w.dialogs.saveRequests[1].folder, QDir(out).absolutePath());
    QCOMPARE(w.dialogs.saveRequests[1].fileName, QStringLiteral("*.wav"));
    w.form.close();
    QCOMPARE(QString::fromStdString(w.store.values["SaveDir"]), QDir(out).absolutePath());
  }

  void saveToWaveFilesPadsNumbersToTheDocumentsSegmentCount() {
    EditingWindow w;
    std::vector<SlicePoint> points;
    for (int32_t i = 1; i <= 9; ++i) points.push_back(EditingWindow::Active(i * 12000));
    w.SetPoints(points);
    // A region of the segments 3 and 4 only.
    w.doc().LeftLocatorPos = 24000;
    w.doc().RightLocatorPos = 48000;
    w.dialogs.saveAnswers.append(w.folder.Path(QStringLiteral("loop.aif")));
    w.form.SplitMenuItemClick();
    QVERIFY(QFile::exists(w.folder.Path(QStringLiteral("loop01.wav"))));
    QVERIFY(QFile::exists(w.folder.Path(QStringLiteral("loop02.wav"))));
    QVERIFY(!QFile::exists(w.folder.Path(QStringLiteral("loop03.wav"))));
    CheckWave(w.folder.Path(QStringLiteral("loop02.wav")), w.doc(), 36000, 12000);
  }

  void aFailedSliceIsReportedAndTheOthersAreStillTried() {
    EditingWindow w;
    ThreeSegments(w);
    const QString missing = w.folder.Path(QStringLiteral("missing/beat.wav"));
    w.dialogs.saveAnswers.append(missing);
    w.form.SplitMenuItemClick();
    const QString error = QString::fromLatin1(messages::kWaveSaveError);
    QCOMPARE(w.dialogs.MessageTexts(), QStringList({error, error, error}));
    QCOMPARE(w.dialogs.messages.constFirst().icon, MessageIcon::Error);
    QVERIFY(!QDir(w.folder.Path(QStringLiteral("missing"))).exists());
    QVERIFY(!w.form.Form1->isVisible());
  }

  void cancelledWaveSavesWriteNothingAndKeepTheFolder() {
    EditingWindow w;
    ThreeSegments(w);
    const std::string folderBefore = w.form.settings().SaveDir;
    w.form.SplitMenuItemClick();
    w.form.SaveSelectItemClick();
    w.form.SaveRegionItemClick();
    QCOMPARE(w.dialogs.saveRequests.size(), 3);
    QCOMPARE(FilesIn(w.folder.Path(QString())), QStringList({"edit.wav"}));
    QCOMPARE(w.form.settings().SaveDir, folderBefore);
    QVERIFY(w.dialogs.messages.isEmpty());
  }

  void withoutADocumentTheWaveSavesAskNothing() {
    EditingWindow w;
    w.form.CloseFile();
    w.form.SplitMenuItemClick();
    w.form.SaveSelectItemClick();
    w.form.PopUpSaveClick();
    w.form.SaveRegionItemClick();
    QVERIFY(w.dialogs.saveRequests.isEmpty());
  }

  void saveSegmentWritesTheSegmentUnderThePointer() {
    EditingWindow w;
    ThreeSegments(w);
    w.PointAt(300);  // 60000 bytes: segment 2
    w.dialogs.saveAnswers.append(w.folder.Path(QStringLiteral("hit.aif")));
    w.form.SaveSelectItemClick();
    CheckWave(w.folder.Path(QStringLiteral("hit.wav")), w.doc(), 40000, 40000);
    QCOMPARE(w.doc().SelectedSegment, 2);

    // From the context menu: the first segment comes out one sample short,
    // and the closing click of the menu is no longer awaited.
    w.PointAt(20);
    w.form.ContextMenuOpen = true;
    w.dialogs.saveAnswers.append(w.folder.Path(QStringLiteral("first.wav")));
    w.form.PopUpSaveClick();
    QVERIFY(!w.form.ContextMenuOpen);
    CheckWave(w.folder.Path(QStringLiteral("first.wav")), w.doc(), 0, 39998);
    QCOMPARE(w.dialogs.saveRequests[1].fileName, QStringLiteral("*.wav"));
  }

  void saveRegionWritesFromLToRAndKeepsTheChosenName() {
    EditingWindow w;
    ThreeSegments(w);
    w.doc().LeftLocatorPos = 40000;
    const QString chosen = w.folder.Path(QStringLiteral("region.wav"));
    w.dialogs.saveAnswers.append(chosen);
    w.form.SaveRegionItem->setEnabled(true);
    w.form.SaveRegionItem->trigger();
    CheckWave(chosen, w.doc(), 40000, 88000);
    w.form.SaveRegionItemClick();
    QCOMPARE(w.dialogs.saveRequests[1].fileName, chosen);
  }

  void midiTemplateIsSavedAfterItsDialogAndTheFolderIsKept() {
    EditingWindow w;
    ThreeSegments(w);
    const QString out = w.folder.Path(QStringLiteral("mid"));
    QVERIFY(QDir().mkpath(out));
    w.dialogs.settingsScripts.append(ScriptedDialogs::PressOk());
    w.dialogs.saveAnswers.append(out + QStringLiteral("/loop"));
    QTest::mouseClick(w.form.SaveMidB, Qt::LeftButton);

    QVERIFY(w.dialogs.messages.isEmpty());
    QCOMPARE(w.dialogs.settingsShown, QStringList({"Select Midi Template Parameters"}));
    const FileDialogRequest& request = w.dialogs.saveRequests.constFirst();
    QCOMPARE(request.title, QStringLiteral("Save Template File"));
    QCOMPARE(request.filter, QStringLiteral("Midi Format 0 Files (*.mid)|*.mid|All Files (*.*)|*.*"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("mid"));
    QCOMPARE(request.fileName, QStringLiteral("*.mid"));
    CheckTemplate(out + QStringLiteral("/loop.mid"), 48);
    QCOMPARE(QString::fromStdString(w.form.settings().SaveMidDir), QDir(out).absolutePath());

    // Reversed, the template starts on the third slice's key.
    w.dialogs.settingsScripts.append([](QDialog& dialog) {
      static_cast<TMidiForm&>(dialog).CheckBox1->click();
      ScriptedDialogs::PressOk()(dialog);
    });
    w.dialogs.saveAnswers.append(out + QStringLiteral("/back.mid"));
    w.form.SaveMidMenuItemClick();
    QCOMPARE(w.dialogs.saveRequests[1].folder, QDir(out).absolutePath());
    CheckTemplate(out + QStringLiteral("/back.mid"), 50);
    QCOMPARE(w.form.MidiForm->StartKey(), 50);
  }

  void soundFontIsSavedAfterItsDialog() {
    EditingWindow w;
    ThreeSegments(w);
    w.dialogs.settingsScripts.append(ScriptedDialogs::PressOk());
    w.dialogs.saveAnswers.append(w.folder.Path(QStringLiteral("bank")));
    QTest::mouseClick(w.form.SaveSFB, Qt::LeftButton);
    QVERIFY(w.dialogs.messages.isEmpty());
    QCOMPARE(w.dialogs.settingsShown, QStringList({"SoundFont 2.0 settings"}));
    const FileDialogRequest& request = w.dialogs.saveRequests.constFirst();
    QCOMPARE(request.filter, QStringLiteral("Sound Font 2.0 Files|*.sf2|All Files|*.*"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("sf2"));
    QCOMPARE(request.fileName, QStringLiteral("*.sf2"));
    CheckBank(w.folder.Path(QStringLiteral("bank.sf2")));
    QCOMPARE(QString::fromStdString(w.form.settings().SaveSFDir),
             QDir(w.folder.Path(QString())).absolutePath());
  }

  void sfzIsSavedWithTheSoundFontSettingsAndFailuresAreReported() {
    EditingWindow w;
    ThreeSegments(w);
    w.dialogs.settingsScripts.append(ScriptedDialogs::PressOk());
    w.dialogs.saveAnswers.append(w.folder.Path(QStringLiteral("kit")));
    w.form.SaveSfzItem->trigger();
    QVERIFY(w.dialogs.messages.isEmpty());
    QCOMPARE(w.dialogs.settingsShown, QStringList({"SoundFont 2.0 settings"}));
    const FileDialogRequest& request = w.dialogs.saveRequests.constFirst();
    QCOMPARE(request.defaultSuffix, QStringLiteral("sfz"));
    QCOMPARE(request.fileName, QStringLiteral("*.sfz"));
    QFile sfz(w.folder.Path(QStringLiteral("kit.sfz")));
    QVERIFY(sfz.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(sfz.readAll()).count(QStringLiteral("<region>")), 3);
    QCOMPARE(FilesIn(w.folder.Path(QStringLiteral("kit_samples"))).size(), 3);

    w.dialogs.settingsScripts.append(ScriptedDialogs::PressOk());
    w.dialogs.saveAnswers.append(w.folder.Path(QStringLiteral("missing/kit.sfz")));
    w.form.SaveSfzItem->trigger();
    QCOMPARE(w.dialogs.MessageTexts(), QStringList({QString::fromLatin1(messages::kSfzSaveError)}));
  }

  void combinedSaveOffersTheTemplatesNameForTheBank() {
    EditingWindow w;
    ThreeSegments(w);
    const QString mid = w.folder.Path(QStringLiteral("loop.mid"));
    const QString bank = w.folder.Path(QStringLiteral("loop.sf2"));
    w.dialogs.settingsScripts = {ScriptedDialogs::PressOk(), ScriptedDialogs::PressOk()};
    w.dialogs.saveAnswers = {mid, bank};
    QTest::mouseClick(w.form.SaveSFMB, Qt::LeftButton);
    QVERIFY(w.dialogs.messages.isEmpty());
    QCOMPARE(w.dialogs.settingsShown,
             QStringList({"Select Midi Template Parameters", "SoundFont 2.0 settings"}));
    QCOMPARE(w.dialogs.saveRequests[1].fileName, bank);
    CheckTemplate(mid, 48);
    CheckBank(bank);
    QVERIFY(!w.form.SaveBothMode);

    // Only ".mid" itself is replaced: a template named in capitals offers its
    // name unchanged; a bank dialog on its own starts from the pattern again.
    w.dialogs.settingsScripts = {ScriptedDialogs::PressOk(), ScriptedDialogs::PressOk(),
                                 ScriptedDialogs::PressOk()};
    w.dialogs.saveAnswers = {w.folder.Path(QStringLiteral("LOOP.MID"))};
    w.form.SaveSFM->trigger();
    QCOMPARE(w.dialogs.saveRequests.size(), 4);
    QCOMPARE(w.dialogs.saveRequests[3].fileName, w.folder.Path(QStringLiteral("LOOP.MID")));
    w.form.SaveSFItemClick();
    QCOMPARE(w.dialogs.saveRequests.last().fileName, QStringLiteral("*.sf2"));
  }

  void failedBankAndTemplateSavesShowTheirErrors() {
    EditingWindow w;
    ThreeSegments(w);
    w.dialogs.settingsScripts = {ScriptedDialogs::PressOk(), ScriptedDialogs::PressOk()};
    w.dialogs.saveAnswers = {w.folder.Path(QStringLiteral("missing/loop.mid")),
                             w.folder.Path(QStringLiteral("missing/loop.sf2"))};
    w.form.SaveSFMClick();
    QCOMPARE(w.dialogs.MessageTexts(), QStringList({QString::fromLatin1(messages::kMidiSaveError),
                                                    QString::fromLatin1(messages::kSoundFontSaveError)}));
    QCOMPARE(w.dialogs.messages.constFirst().icon, MessageIcon::Error);
    QVERIFY(!QDir(w.folder.Path(QStringLiteral("missing"))).exists());
  }

  void cancellingEitherDialogWritesNothing() {
    EditingWindow w;
    ThreeSegments(w);
    // The settings dialogs closed without O.K.: no file dialog at all.
    w.form.SaveSFMClick();
    QCOMPARE(w.dialogs.settingsShown.size(), 2);
    QVERIFY(w.dialogs.saveRequests.isEmpty());
    // O.K., then the file dialogs cancelled.
    w.dialogs.settingsScripts = {ScriptedDialogs::PressOk(), ScriptedDialogs::PressOk()};
    const std::string midFolder = w.form.settings().SaveMidDir;
    w.form.SaveSFMClick();
    QCOMPARE(w.dialogs.saveRequests.size(), 2);
    QCOMPARE(w.dialogs.saveRequests[1].fileName, QStringLiteral("*.sf2"));
    QCOMPARE(FilesIn(w.folder.Path(QString())), QStringList({"edit.wav"}));
    QCOMPARE(w.form.settings().SaveMidDir, midFolder);
    QVERIFY(w.dialogs.messages.isEmpty());
  }

  void aTemplateWithoutTempoOrRegionIsRefusedBeforeItsDialog() {
    EditingWindow w;
    ThreeSegments(w);
    w.form.Edit1->setText(QStringLiteral("0"));
    QCOMPARE(w.doc().LoopBars, uint16_t{0});
    QTest::mouseClick(w.form.SaveMidB, Qt::LeftButton);
    QCOMPARE(w.dialogs.MessageTexts(), QStringList({QString::fromLatin1(messages::kTemplateNeedsTempo)}));
    QVERIFY(w.dialogs.settingsShown.isEmpty());

    w.form.Edit1->setText(QStringLiteral("1"));
    w.doc().LeftLocatorPos = w.doc().RightLocatorPos = 40000;
    w.form.SaveMidMenuItemClick();
    QCOMPARE(w.dialogs.MessageTexts().last(), QString::fromLatin1(messages::kTemplateNeedsRegion));
    QVERIFY(w.dialogs.settingsShown.isEmpty());
  }
};

QTEST_MAIN(MainFormExportsTest)
#include "MainFormExportsTest.moc"
