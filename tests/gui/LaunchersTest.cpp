#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/gui/LauncherQt.h"
#include "app/gui/TForm2.h"
#include "app/gui/TMainForm.h"
#include "support/MemoryStore.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPlayback.h"
#include "support/WaveFiles.h"

using namespace slicewright;
using namespace slicewright::test;

// The sound control program, the home page, the help file and the about box,
// with or without a document.
class LaunchersTest : public QObject {
  Q_OBJECT

  struct Window {
    Window() { form.SetLauncher(launcher); }
    ScriptedDialogs dialogs;
    MemoryStore store;
    TestPlayback playback;
    TMainForm form{dialogs, store, playback.wave, playback.timer};
    RecordingLauncher launcher;
  };

 private slots:
  void theControlPanelStartsTheProgramInTheOptionsOrSaysWhy() {
    Window w;
    w.form.settings().ControlPanelPath = "/opt/sound panel/mixer";
    w.form.ControlPanel1->trigger();
    QCOMPARE(w.launcher.programs, QStringList{QStringLiteral("/opt/sound panel/mixer")});
    QVERIFY(w.dialogs.messages.isEmpty());

    w.launcher.programsStart = false;
    w.form.SpeedButton16->click();
    QCOMPARE(w.launcher.programs.size(), 2);
    QCOMPARE(w.dialogs.MessageTexts(),
             QStringList{QStringLiteral("Error opening control panel; check path in options")});
    QCOMPARE(w.dialogs.messages[0].icon, MessageIcon::Error);
  }

  void theHomePageOpensInTheBrowserOrGivesItsAddress() {
    Window w;
    w.form.h1->trigger();
    QCOMPARE(w.launcher.urls.size(), 1);
    QCOMPARE(w.launcher.urls[0].scheme(), QStringLiteral("https"));
    QCOMPARE(w.launcher.urls[0], QUrl(TMainForm::HomePage));

    w.launcher.urlsOpen = false;
    w.form.h1->trigger();
    QCOMPARE(
        w.dialogs.MessageTexts(),
        QStringList{QStringLiteral("Error opening homepage\r\nCheck browser is installed, and go to\r\n") +
                    TMainForm::HomePage});
  }

  void theHelpIsLookedForInTheFolderTheProgramStartedIn() {
    TestFolder folder;
    const QString page = folder.Write(QStringLiteral("Wrights.html"), QByteArrayLiteral("<html></html>"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(QFileInfo(page).absolutePath());
    Window w;
    QDir::setCurrent(before);
    QCOMPARE(w.form.StartFolder, QFileInfo(page).absolutePath());

    w.form.HelpFileItem->trigger();
    QCOMPARE(w.launcher.urls, QList<QUrl>{QUrl::fromLocalFile(page)});
    QVERIFY(w.dialogs.messages.isEmpty());

    w.launcher.urlsOpen = false;
    w.form.HelpFileItemClick();
    QCOMPARE(
        w.dialogs.MessageTexts(),
        QStringList{QStringLiteral("Error opening help file\r\nCheck browser is installed, and open\r\n") +
                    page});
  }

  void theHelpBesideTheProgramIsFoundWhenTheStartFolderLacksIt() {
    QTemporaryDir empty;
    const QString before = QDir::currentPath();
    QDir::setCurrent(empty.path());
    Window w;
    QDir::setCurrent(before);
    w.form.HelpFileItem->trigger();
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Wrights.html"));
    QCOMPARE(w.launcher.urls, QList<QUrl>{QUrl::fromLocalFile(beside)});
  }

  void aMissingHelpFileIsReported() {
    QTemporaryDir empty;
    Window w;
    w.form.HelpFolders = QStringList{empty.path()};
    w.form.HelpFileItem->trigger();
    QVERIFY(w.launcher.urls.isEmpty());
    QCOMPARE(w.dialogs.MessageTexts(), QStringList{QStringLiteral("Help file not found:\r\n") +
                                                   QDir(empty.path()).filePath("Wrights.html")});
  }

  void theAboutBoxShowsTheProgramIconWithoutAnIconTheme() {
    Window w;
    const QImage icon = w.form.Form2->ProgramIcon->pixmap().toImage();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.pixelColor(icon.width() / 2, icon.height() / 5), QColor(0x10, 0x10, 0x10));
  }

  void theAboutBoxClosesOnAClickAnywhere() {
    Window w;
    QCOMPARE(w.form.Form2->windowTitle(), QStringLiteral("About"));
    for (QWidget* target :
         {static_cast<QWidget*>(w.form.Form2), static_cast<QWidget*>(w.form.Form2->Comments),
          static_cast<QWidget*>(w.form.Form2->ProgramIcon)}) {
      bool wasShown = false;
      QTimer::singleShot(0, [&] {
        wasShown = w.form.Form2->isVisible();
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
      });
      w.form.HelpAboutItem->trigger();
      QVERIFY(wasShown);
      QVERIFY(!w.form.Form2->isVisible());
    }
  }

  void theDesktopLauncherRefusesWhatCannotStart() {
    QtLauncher launcher;
    QVERIFY(!launcher.StartProgram(QString()));
    QVERIFY(!launcher.StartProgram(QStringLiteral("/nonexistent/folder/no-such-program")));
    QVERIFY(launcher.StartProgram(QStringLiteral("/bin/true")));
    QVERIFY(!launcher.OpenUrl(QUrl()));
  }
};

QTEST_MAIN(LaunchersTest)
#include "LaunchersTest.moc"
