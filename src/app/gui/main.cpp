#include <QApplication>

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
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("slicewright")));

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
  return application.exec();
}
