#include <QApplication>

#include "app/gui/QSettingsStore.h"
#include "app/gui/QtDialogs.h"
#include "app/gui/TMainForm.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Slicewright"));
  QApplication::setOrganizationName(QStringLiteral("Kestrel Forge Software"));
  QApplication::setApplicationVersion(QStringLiteral(SLICEWRIGHT_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("slicewright"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("slicewright")));

  slicewright::QtDialogs dialogs;
  slicewright::QSettingsStore configStore;
  slicewright::TMainForm window(dialogs, configStore);
  window.show();
  return application.exec();
}
