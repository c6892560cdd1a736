#include <QAction>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/gui/QSettingsStore.h"
#include "app/gui/TMainForm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPlayback.h"
#include "support/WaveFiles.h"
#include "view/gui/WaveView.h"

using namespace slicewright;
using namespace slicewright::test;

namespace {

// A store that cannot be opened, like a configuration file without permission.
class LockedStore : public ConfigStore {
 public:
  bool Open() override { return false; }
  std::optional<std::string> Read(const std::string&) override { return std::nullopt; }
  bool Write(const std::string&, const std::string&) override { return false; }
  void Close() override {}
};

}  // namespace

class MainFormSettingsTest : public QObject {
  Q_OBJECT

  QTemporaryDir config_;
  TestFolder files_;

  QString ConfigFile() const {
    return config_.filePath(QStringLiteral("Kestrel Forge Software/Slicewright.conf"));
  }
  QString Stored(const QString& name) const {
    QSettings settings(ConfigFile(), QSettings::IniFormat);
    return settings.value(QStringLiteral("1/Config/") + name).toString();
  }

 private slots:
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

  void init() { QFile::remove(ConfigFile()); }

  void firstStartCreatesEveryValue() {
    ScriptedDialogs dialogs;
    QSettingsStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(Stored(QStringLiteral("BGColour")), QStringLiteral("clBlack"));
    QCOMPARE(Stored(QStringLiteral("Width")), QStringLiteral("640"));
    QCOMPARE(Stored(QStringLiteral("PanelAtTop")), QStringLiteral("false"));
    QVERIFY(!Stored(QStringLiteral("OpenDir")).isEmpty());
    QCOMPARE(form.size(), QSize(640, 480));
  }

  void recentFilesAndOptionsSurviveARestart() {
    const QString a = files_.Write(QStringLiteral("one.wav"), WaveBytes(DrumLoop(8000, 2000)));
    const QString b = files_.Write(QStringLiteral("two.wav"), WaveBytes(DrumLoop(8000, 2000)));
    {
      ScriptedDialogs dialogs;
      QSettingsStore store;
      TestPlayback playback;
      TMainForm form(dialogs, store, playback.wave, playback.timer);
      dialogs.openAnswers = {a, b};
      form.OpenFile();
      form.OpenFile();
      form.mnuPpanel->trigger();
      form.SpeedButton6->click();
      form.close();
      QVERIFY(dialogs.messages.isEmpty());
    }
    QCOMPARE(Stored(QStringLiteral("File1")), b);
    QCOMPARE(Stored(QStringLiteral("File2")), a);
    QCOMPARE(Stored(QStringLiteral("File3")), QString());
    QCOMPARE(Stored(QStringLiteral("OpenDir")), QFileInfo(a).absolutePath());
    QCOMPARE(Stored(QStringLiteral("ShowLock")), QStringLiteral("false"));
    QCOMPARE(Stored(QStringLiteral("PanelAtTop")), QStringLiteral("true"));

    ScriptedDialogs dialogs;
    QSettingsStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    QCOMPARE(form.SubOpenItems[0]->text(), b);
    QCOMPARE(form.SubOpenItems[1]->text(), a);
    QVERIFY(form.SubOpenItems[0]->isVisible());
    QVERIFY(form.SubOpenItems[1]->isVisible());
    QVERIFY(!form.SubOpenItems[2]->isVisible());
    QVERIFY(form.mnuPpanel->isChecked());
    QVERIFY(form.PanelAtTop());
    QVERIFY(!form.SpeedButton6->isChecked());
    QVERIFY(!form.waveView().Display().showLockIcons);
  }

  void exitWritesNothing() {
    {
      ScriptedDialogs dialogs;
      QSettingsStore store;
      TestPlayback playback;
      TMainForm form(dialogs, store, playback.wave, playback.timer);
      form.waveView().Display().colours.BGColour = 0xFFFFFF;
      form.FileExitItem->trigger();
      QVERIFY(form.Closing);
    }
    QCOMPARE(Stored(QStringLiteral("BGColour")), QStringLiteral("clBlack"));
  }

  void badColourTextGivesTheFallbackSet() {
    {
      QSettings settings(ConfigFile(), QSettings::IniFormat);
      settings.setValue(QStringLiteral("1/Config/LineColour"), QStringLiteral("blue"));
    }
    ScriptedDialogs dialogs;
    QSettingsStore store;
    TestPlayback playback;
    TMainForm form(dialogs, store, playback.wave, playback.timer);
    QCOMPARE(form.waveView().Display().colours, FallbackColours());
  }

  void unopenableStoreReportsAtStartAndClose() {
    ScriptedDialogs dialogs;
    LockedStore store;
    {
      TestPlayback playback;
      TMainForm form(dialogs, store, playback.wave, playback.timer);
      QCOMPARE(dialogs.MessageTexts(), QStringList{QStringLiteral("Registry Update Failed!")});
      QCOMPARE(dialogs.messages.first().icon, MessageIcon::None);
      QCOMPARE(form.size(), QSize(640, 480));
      form.close();
    }
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages.last().text, QStringLiteral("Registry Update Failed!"));
  }
};

QTEST_MAIN(MainFormSettingsTest)
#include "MainFormSettingsTest.moc"
