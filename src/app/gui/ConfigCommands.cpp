// Reading the configuration at start, writing it when the window closes, and
// the window placement.
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QToolButton>

#include "app/gui/Dialogs.h"
#include "app/gui/TMainForm.h"
#include "audio/ThreadedTimer.h"
#include "view/gui/WaveView.h"

namespace slicewright {
namespace {

constexpr const char* kRegistryUpdateFailed = "Registry Update Failed!";

// The sound control program a Linux desktop offers for the sound card.
constexpr const char* kDefaultControlPanel = "pavucontrol";

// The dialogs start in the user's desktop folder, or at home without one.
std::string DefaultDialogFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (!desktop.isEmpty() && QDir(desktop).exists()) return desktop.toStdString();
  return QDir::homePath().toStdString();
}

}  // namespace

void TMainForm::ReadConfiguration() {
  const ConfigDefaults defaults{DefaultDialogFolder(), kDefaultControlPanel};
  if (!slicewright::ReadConfiguration(configStore_, settings_, defaults)) {
    dialogs_.ShowMessage(this, MessageIcon::None, MessageButtons::Ok,
                         QString::fromLatin1(kRegistryUpdateFailed));
  }
  ViewDisplay& display = view_->Display();
  display.colours = settings_.Colours;
  display.showSampleIcons = settings_.ShowSampleIcons;
  display.showLockIcons = settings_.ShowLockIcons;
  display.showDisabledIcons = settings_.ShowDisabledIcons;
  SpeedButton5->setChecked(settings_.ShowSampleIcons);
  SpeedButton6->setChecked(settings_.ShowLockIcons);
  SpeedButton7->setChecked(settings_.ShowDisabledIcons);
  panelAtTop_ = settings_.PanelAtTop;
  display.panelAtTop = panelAtTop_;
  mnuPpanel->setChecked(panelAtTop_);
}

void TMainForm::WriteConfiguration() {
  const ViewDisplay& display = view_->Display();
  settings_.Colours = display.colours;
  settings_.ShowSampleIcons = display.showSampleIcons;
  settings_.ShowLockIcons = display.showLockIcons;
  settings_.ShowDisabledIcons = display.showDisabledIcons;
  settings_.PanelAtTop = panelAtTop_;
  settings_.Maximized = isMaximized();
  const WriteOutcome outcome = slicewright::WriteConfiguration(configStore_, settings_);
  const int failures = outcome.opened ? outcome.failedWrites : 1;
  for (int i = 0; i < failures; ++i) {
    dialogs_.ShowMessage(this, MessageIcon::None, MessageButtons::Ok,
                         QString::fromLatin1(kRegistryUpdateFailed));
  }
}

void TMainForm::ApplySavedPlacement() {
  // A stored size of nothing would leave no window to see.
  const int width = settings_.SavedWidth > 0 ? settings_.SavedWidth : DefaultWidth;
  const int height = settings_.SavedHeight > 0 ? settings_.SavedHeight : DefaultHeight;
  resize(width, height);
  move(settings_.SavedLeft, settings_.SavedTop);
  if (settings_.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::StorePlacement() {
  // A maximized window keeps the placement it returns to.
  const bool maximized = isMaximized() || isFullScreen();
  const QRect normal = maximized ? normalGeometry() : geometry();
  const QPoint corner = maximized ? normal.topLeft() : frameGeometry().topLeft();
  settings_.SavedLeft = corner.x();
  settings_.SavedTop = corner.y();
  settings_.SavedWidth = normal.width();
  settings_.SavedHeight = normal.height();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  StorePlacement();
  Closing = true;
  SuperTimer1.SetEnabled(false);
  WriteConfiguration();
  event->accept();
}

void TMainForm::FileExitItemClick() {
  Closing = true;
  QCoreApplication::quit();
}

}  // namespace slicewright
