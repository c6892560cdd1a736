#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "app/gui/ProgramIcon.h"
#include "app/gui/QSettingsStore.h"
#include "app/gui/QtDialogs.h"
#include "app/gui/TMainForm.h"
#include "audio/ThreadedTimer.h"
#include "audio/gui/QtUiThread.h"
#include "audio/gui/TWaveAudio.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Slicewright"));
  QApplication::setOrganizationName(QStringLiteral("Kestrel Forge Software"));
  QApplication::setApplicationVersion(QStringLiteral(SLICEWRIGHT_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("slicewright"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("slicewright"), slicewright::ProgramIcon()));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Cuts drum loops into slices and saves them as WAV files, a SoundFont bank, an SFZ "
                     "instrument and a MIDI file."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"),
                               QStringLiteral("An audio file to open (WAV, AIFF, FLAC or Ogg)."),
                               QStringLiteral("[file]"));
  parser.process(application);

  slicewright::QtDialogs dialogs;
  slicewright::QSettingsStore configStore;
  // The device and the timer report on the user-interface thread and outlive the window.
  slicewright::QtUiThread uiThread;
  slicewright::SteadyMillisecondClock clock;
  slicewright::TWaveAudio waveAudio(uiThread);
  slicewright::TThreadedTimer superTimer(uiThread, clock);
  superTimer.SetEnabled(false);
  slicewright::TMainForm window(dialogs, configStore, waveAudio, superTimer);
  window.show();
  // A file named on the command line ("Open With" in a file manager) opens
  // once the window is up, as Open would open it.
  if (!parser.positionalArguments().isEmpty()) {
    const QString file = parser.positionalArguments().constFirst();
    QTimer::singleShot(0, &window, [&window, file] { window.OpenNamedFile(file); });
  }
  return application.exec();
}
