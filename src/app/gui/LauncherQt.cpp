#include "app/gui/LauncherQt.h"

#include <QDesktopServices>
#include <QProcess>

namespace slicewright {

bool QtLauncher::StartProgram(const QString& program) {
  // The whole text is the program: a path may hold blanks.
  if (program.trimmed().isEmpty()) return false;
  return QProcess::startDetached(program, {});
}

bool QtLauncher::OpenUrl(const QUrl& url) { return url.isValid() && QDesktopServices::openUrl(url); }

}  // namespace slicewright
