#pragma once

#include "app/gui/Launcher.h"

namespace slicewright {

// Starts programs as detached processes and opens addresses through the
// desktop's default applications.
class QtLauncher : public Launcher {
 public:
  bool StartProgram(const QString& program) override;
  bool OpenUrl(const QUrl& url) override;
};

}  // namespace slicewright
