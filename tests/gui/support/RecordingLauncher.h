#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

#include "app/gui/Launcher.h"

namespace slicewright::test {

// Records what the window asked to start and answers as scripted: every
// start succeeds unless the test says otherwise.
class RecordingLauncher : public Launcher {
 public:
  bool programsStart = true;
  bool urlsOpen = true;
  QStringList programs;
  QList<QUrl> urls;

  bool StartProgram(const QString& program) override {
    programs << program;
    return programsStart;
  }
  bool OpenUrl(const QUrl& url) override {
    urls << url;
    return urlsOpen;
  }
};

}  // namespace slicewright::test
