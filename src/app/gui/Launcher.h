#pragma once

#include <QString>
#include <QUrl>

namespace slicewright {

// Starts what lies outside the program: another program, or a document or
// web address in the desktop's chosen application. Nothing waits for what
// was started.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts the program at this path (or found on the search path by name);
  // false when it could not be started.
  virtual bool StartProgram(const QString& program) = 0;
  // Opens the address in the desktop's application for it; false when none
  // could be started.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

}  // namespace slicewright
