// The options dialog, the outside programs (sound control program, browser
// for the home page and the help) and the about box.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QShortcut>
#include <QStandardPaths>
#include <QToolButton>

#include "app/gui/Dialogs.h"
#include "app/gui/LauncherQt.h"
#include "app/gui/TForm2.h"
#include "app/gui/TForm4.h"
#include "app/gui/TMainForm.h"
#include "view/gui/WaveView.h"

namespace slicewright {
namespace {

constexpr const char* kControlPanelError = "Error opening control panel; check path in options";
constexpr const char* kHomePageError = "Error opening homepage\r\nCheck browser is installed, and go to\r\n";
constexpr const char* kHelpMissing = "Help file not found:\r\n";
constexpr const char* kHelpError = "Error opening help file\r\nCheck browser is installed, and open\r\n";
constexpr const char* kHelpFileName = "Wrights.html";
// Where the installed copy lies, from the program's own folder; a copy also
// lies beside the program in the build tree.
constexpr const char* kInstalledHelpFolder = "../share/slicewright";

}  // namespace

const QString TMainForm::HomePage = QStringLiteral("https://www.kestrelforge.com/slicewright/");

void TMainForm::ConnectShellCommands() {
  StartFolder = QDir::currentPath();
  HelpFolders = DefaultHelpFolders();
  ownLauncher_ = std::make_unique<QtLauncher>();
  launcher_ = ownLauncher_.get();
  Form4 = new TForm4(dialogs_, settings_, this);
  Form2 = new TForm2(this);
  connect(Options1, &QAction::triggered, this, &TMainForm::Options1Click);
  connect(ControlPanel1, &QAction::triggered, this, &TMainForm::ControlPanel1Click);
  connect(SpeedButton16, &QToolButton::clicked, this, &TMainForm::SpeedButton16Click);
  connect(HelpFileItem, &QAction::triggered, this, &TMainForm::HelpFileItemClick);
  connect(h1, &QAction::triggered, this, &TMainForm::h1Click);
  connect(HelpAboutItem, &QAction::triggered, this, &TMainForm::HelpAboutItemClick);
  auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
  connect(helpKey, &QShortcut::activated, this, &TMainForm::HelpFileItemClick);
}

void TMainForm::SetLauncher(Launcher& launcher) { launcher_ = &launcher; }

void TMainForm::Options1Click() {
  // What a cancelled visit changed is forgotten: every opening starts again
  // from the settings.
  Form4->FormShow();
  Form4->FormActivate();
  dialogs_.RunSettingsDialog(*Form4);
  // Cancel left the settings as they were; either way the view takes them.
  view_->Display().colours = settings_.Colours;
  doc_.WaveImageStale = true;
  RefreshDocumentView();
}

void TMainForm::ControlPanel1Click() {
  if (!launcher_->StartProgram(QString::fromStdString(settings_.ControlPanelPath))) {
    dialogs_.ShowMessage(this, MessageIcon::Error, MessageButtons::Ok,
                         QString::fromLatin1(kControlPanelError));
  }
}

void TMainForm::SpeedButton16Click() { ControlPanel1Click(); }

QStringList TMainForm::DefaultHelpFolders() const {
  const QDir programFolder(QCoreApplication::applicationDirPath());
  QStringList folders{StartFolder, programFolder.absolutePath(),
                      QDir::cleanPath(programFolder.filePath(QString::fromLatin1(kInstalledHelpFolder)))};
  for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    folders.append(QDir(data).filePath(QStringLiteral("slicewright")));
  }
  return folders;
}

QString TMainForm::HelpFilePath() const {
  const QString name = QString::fromLatin1(kHelpFileName);
  for (const QString& folder : HelpFolders) {
    const QFileInfo page(QDir(folder).filePath(name));
    if (page.isFile()) return page.absoluteFilePath();
  }
  return {};
}

void TMainForm::HelpFileItemClick() {
  const QString path = HelpFilePath();
  if (path.isEmpty()) {
    const QString expected = QDir(HelpFolders.value(0)).filePath(QString::fromLatin1(kHelpFileName));
    dialogs_.ShowMessage(this, MessageIcon::Error, MessageButtons::Ok,
                         QString::fromLatin1(kHelpMissing) + expected);
    return;
  }
  if (!launcher_->OpenUrl(QUrl::fromLocalFile(path))) {
    dialogs_.ShowMessage(this, MessageIcon::Error, MessageButtons::Ok,
                         QString::fromLatin1(kHelpError) + path);
  }
}

void TMainForm::h1Click() {
  if (!launcher_->OpenUrl(QUrl(HomePage))) {
    dialogs_.ShowMessage(this, MessageIcon::Error, MessageButtons::Ok,
                         QString::fromLatin1(kHomePageError) + HomePage);
  }
}

void TMainForm::HelpAboutItemClick() { Form2->exec(); }

}  // namespace slicewright
