// The export commands: slices, segments and the region as WAV files.
#include <QAction>
#include <QFileInfo>
#include <QProgressBar>
#include <QToolButton>
#include <optional>

#include "app/gui/Dialogs.h"
#include "app/gui/TMainForm.h"
#include "export/ExportMessages.h"
#include "export/SegmentUnderPointer.h"
#include "export/WaveFileExport.h"
#include "export/gui/TForm1.h"
#include "view/gui/PaintBoxes.h"

namespace slicewright {
namespace {

std::string FolderOf(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
}

FileDialogRequest WaveSaveRequest(const std::string& folder, const QString& fileName) {
  return {QStringLiteral("Save File As"), QStringLiteral("Wave Audio Files (*.wav)|*.wav|All Files (*.*)|*.*"),
          QString::fromStdString(folder), QStringLiteral("wav"), fileName};
}

// The name chosen in a save dialog, with the dialog's default extension
// added to a name typed without one.
std::optional<std::string> AskSaveName(Dialogs& dialogs, QWidget* parent, const FileDialogRequest& request) {
  const std::optional<QString> chosen = dialogs.GetSaveFileName(parent, request);
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  return WithDefaultExtension(chosen->toStdString(), request.defaultSuffix.toStdString());
}

}  // namespace

void TMainForm::ConnectExportCommands() {
  Form1 = new TForm1(this);
  connect(SplitMenuItem, &QAction::triggered, this, &TMainForm::SplitMenuItemClick);
  connect(SaveWaveB, &QToolButton::clicked, this, &TMainForm::SaveWaveBClick);
  connect(SaveSelectItem, &QAction::triggered, this, &TMainForm::SaveSelectItemClick);
  connect(PopUpSave, &QAction::triggered, this, &TMainForm::PopUpSaveClick);
  connect(SaveRegionItem, &QAction::triggered, this, &TMainForm::SaveRegionItemClick);
}

void TMainForm::ShowExportError(const char* text) {
  dialogs_.ShowMessage(this, MessageIcon::Error, MessageButtons::Ok, QString::fromLatin1(text));
}

void TMainForm::SplitMenuItemClick() {
  if (doc_.HasFile()) {
    if (const auto chosen = AskSaveName(dialogs_, this, WaveSaveRequest(settings_.SaveDir, saveDialogFileName_))) {
      Form1->ProgressBar1->setValue(0);
      Form1->show();
      // A failed slice is reported and the others are still written.
      WriteSliceFiles(doc_, *chosen, [this](const SliceFileResult& result, int32_t n, int32_t count) {
        if (!result.saved) ShowExportError(messages::kWaveSaveError);
        Form1->ShowProgress(n, count);
      });
      Form1->hide();
      settings_.SaveDir = FolderOf(*chosen);
    }
  }
  saveDialogFileName_ = QString::fromLatin1(WavePattern);
}

void TMainForm::SaveWaveBClick() { SplitMenuItemClick(); }

void TMainForm::SaveSegmentUnderPointer() {
  const auto chosen = AskSaveName(dialogs_, this, WaveSaveRequest(settings_.SaveDir, saveDialogFileName_));
  if (!chosen) return;
  const PointerSegment segment = SegmentUnderPointer(doc_, PointerX, PaintBox1->width());
  if (!WriteWaveFile(doc_, WaveFileName(*chosen), segment.start, segment.length)) {
    ShowExportError(messages::kWaveSaveError);
  }
  settings_.SaveDir = FolderOf(*chosen);
}

void TMainForm::SaveSelectItemClick() {
  if (doc_.HasFile()) SaveSegmentUnderPointer();
  saveDialogFileName_ = QString::fromLatin1(WavePattern);
}

void TMainForm::PopUpSaveClick() {
  ContextMenuOpen = false;
  SaveSelectItemClick();
}

void TMainForm::SaveRegionItemClick() {
  if (!doc_.HasFile()) return;
  const auto chosen = AskSaveName(dialogs_, this, WaveSaveRequest(settings_.SaveDir, saveDialogFileName_));
  if (!chosen) return;
  // The region save leaves its name in the dialog for the next save.
  saveDialogFileName_ = QString::fromStdString(*chosen);
  if (!WriteWaveFile(doc_, WaveFileName(*chosen), doc_.LeftLocatorPos, doc_.RightLocatorPos - doc_.LeftLocatorPos)) {
    ShowExportError(messages::kWaveSaveError);
  }
  settings_.SaveDir = FolderOf(*chosen);
}

}  // namespace slicewright
