// The export commands: slices, segments and the region as WAV files, the
// SoundFont bank and the MIDI timing template.
#include <QAction>
#include <QFileInfo>
#include <QProgressBar>
#include <QToolButton>
#include <filesystem>
#include <optional>

#include "app/gui/Dialogs.h"
#include "app/gui/TMainForm.h"
#include "export/CreationDate.h"
#include "export/ExportMessages.h"
#include "export/MidiTemplate.h"
#include "export/SegmentUnderPointer.h"
#include "export/SfzWriter.h"
#include "export/SoundFontWriter.h"
#include "export/WaveFileExport.h"
#include "export/gui/TForm1.h"
#include "export/gui/TForm6.h"
#include "export/gui/TMidiForm.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

namespace slicewright {
namespace {

std::string FolderOf(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
}

FileDialogRequest WaveSaveRequest(const std::string& folder, const QString& fileName) {
  return {QStringLiteral("Save File As"),
          QStringLiteral("Wave Audio Files (*.wav)|*.wav|All Files (*.*)|*.*"),
          QString::fromStdString(folder), QStringLiteral("wav"), fileName};
}

FileDialogRequest SoundFontSaveRequest(const std::string& folder, const QString& fileName) {
  return {QStringLiteral("Save SoundFont File"), QStringLiteral("Sound Font 2.0 Files|*.sf2|All Files|*.*"),
          QString::fromStdString(folder), QStringLiteral("sf2"), fileName};
}

FileDialogRequest SfzSaveRequest(const std::string& folder, const QString& fileName) {
  return {QStringLiteral("Save SFZ File"), QStringLiteral("SFZ Files (*.sfz)|*.sfz|All Files (*.*)|*.*"),
          QString::fromStdString(folder), QStringLiteral("sfz"), fileName};
}

FileDialogRequest MidiSaveRequest(const std::string& folder, const QString& fileName) {
  return {QStringLiteral("Save Template File"),
          QStringLiteral("Midi Format 0 Files (*.mid)|*.mid|All Files (*.*)|*.*"),
          QString::fromStdString(folder), QStringLiteral("mid"), fileName};
}

// The bank's name offered after the template was saved under templateName:
// ".mid" (exactly, from the last dot) becomes ".sf2"; any other name is
// offered as it is, and the bank dialog asks before replacing a file.
QString SoundFontNameFor(const std::string& templateName) {
  const auto dot = templateName.rfind('.');
  if (dot != std::string::npos && templateName.compare(dot, std::string::npos, ".mid") == 0) {
    return QString::fromStdString(templateName.substr(0, dot) + ".sf2");
  }
  return QString::fromStdString(templateName);
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
  MidiForm = new TMidiForm(this);
  Form6 = new TForm6(MidiForm->Keys(), this);
  connect(SplitMenuItem, &QAction::triggered, this, &TMainForm::SplitMenuItemClick);
  connect(SaveWaveB, &QToolButton::clicked, this, &TMainForm::SaveWaveBClick);
  connect(SaveSelectItem, &QAction::triggered, this, &TMainForm::SaveSelectItemClick);
  connect(PopUpSave, &QAction::triggered, this, &TMainForm::PopUpSaveClick);
  connect(SaveRegionItem, &QAction::triggered, this, &TMainForm::SaveRegionItemClick);
  connect(SaveSFItem, &QAction::triggered, this, &TMainForm::SaveSFItemClick);
  connect(SaveSFB, &QToolButton::clicked, this, &TMainForm::SaveSFBClick);
  connect(SaveMidMenuItem, &QAction::triggered, this, &TMainForm::SaveMidMenuItemClick);
  connect(SaveMidB, &QToolButton::clicked, this, &TMainForm::SaveMidBClick);
  connect(SaveSFM, &QAction::triggered, this, &TMainForm::SaveSFMClick);
  connect(SaveSFMB, &QToolButton::clicked, this, &TMainForm::SaveSFMBClick);
  connect(SaveSfzItem, &QAction::triggered, this, &TMainForm::SaveSfzItemClick);
}

void TMainForm::ShowExportError(const char* text) {
  dialogs_.ShowMessage(this, MessageIcon::Error, MessageButtons::Ok, QString::fromLatin1(text));
}

void TMainForm::ShowExportRefusal(const char* text) {
  dialogs_.ShowMessage(this, MessageIcon::Warning, MessageButtons::Ok, QString::fromLatin1(text));
}

void TMainForm::SplitMenuItemClick() {
  if (doc_.HasFile()) {
    if (const auto chosen =
            AskSaveName(dialogs_, this, WaveSaveRequest(settings_.SaveDir, saveDialogFileName_))) {
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
  view_->DrawSegmentStrip();  // the saved segment is now the selected one
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
  if (!WriteWaveFile(doc_, WaveFileName(*chosen), doc_.LeftLocatorPos,
                     doc_.RightLocatorPos - doc_.LeftLocatorPos)) {
    ShowExportError(messages::kWaveSaveError);
  }
  settings_.SaveDir = FolderOf(*chosen);
}

bool TMainForm::SaveInstrument(
    const FileDialogRequest& request,
    const std::function<InstrumentSave(const SoundFontSettings&, const std::string&)>& write,
    const char* saveError) {
  Form6->FormShow(doc_);
  if (!dialogs_.RunSettingsDialog(*Form6)) return false;
  const auto chosen = AskSaveName(dialogs_, this, request);
  if (!chosen) return false;
  switch (write(Form6->Settings(), *chosen)) {
    case InstrumentSave::Saved:
      break;
    case InstrumentSave::SaveFailed:
      ShowExportError(saveError);
      break;
    case InstrumentSave::KeysExceeded:
      ShowExportRefusal(messages::kKeysExceeded);
      break;
  }
  settings_.SaveSFDir = FolderOf(*chosen);
  return true;
}

void TMainForm::SaveSFItemClick() {
  if (doc_.HasFile()) {
    SaveInstrument(
        SoundFontSaveRequest(settings_.SaveSFDir, saveFontDialogFileName_),
        [this](const SoundFontSettings& settings, const std::string& file) {
          const SoundFontResult result = WriteSoundFont(doc_, settings, LocalToday(), file);
          return result == SoundFontResult::Saved          ? InstrumentSave::Saved
                 : result == SoundFontResult::KeysExceeded ? InstrumentSave::KeysExceeded
                                                           : InstrumentSave::SaveFailed;
        },
        messages::kSoundFontSaveError);
  }
  saveFontDialogFileName_ = QString::fromLatin1(SoundFontPattern);
}

void TMainForm::SaveSfzItemClick() {
  if (doc_.HasFile()) {
    SaveInstrument(
        SfzSaveRequest(settings_.SaveSFDir, saveSfzDialogFileName_),
        [this](const SoundFontSettings& settings, const std::string& file) {
          const SfzResult result = WriteSfz(doc_, settings, file);
          return result == SfzResult::Saved          ? InstrumentSave::Saved
                 : result == SfzResult::KeysExceeded ? InstrumentSave::KeysExceeded
                                                     : InstrumentSave::SaveFailed;
        },
        messages::kSfzSaveError);
  }
  saveSfzDialogFileName_ = QString::fromLatin1(SfzPattern);
}

void TMainForm::SaveSFBClick() { SaveSFItemClick(); }

void TMainForm::SaveMidMenuItemClick() {
  std::optional<std::string> chosen;
  if (doc_.HasFile()) {
    // A region without a tempo or without length cannot be timed: say so
    // before asking anything. Keys out of range are the dialog's to refuse.
    const TemplateRefusal refusal =
        BuildMidiTemplate(doc_, MidiForm->Settings(settings_.AweFilterOption)).refusal;
    if (refusal != TemplateRefusal::None && refusal != TemplateRefusal::KeysExceeded) {
      ShowExportRefusal(TemplateRefusalMessage(refusal));
    } else {
      MidiForm->FormShow(doc_);
      if (dialogs_.RunSettingsDialog(*MidiForm)) {
        chosen = AskSaveName(dialogs_, this, MidiSaveRequest(settings_.SaveMidDir, saveMidDialogFileName_));
      }
    }
  }
  if (chosen) {
    TemplateRefusal refusal = TemplateRefusal::None;
    switch (WriteMidiTemplate(doc_, MidiForm->Settings(settings_.AweFilterOption), *chosen, refusal)) {
      case TemplateSaveResult::Saved:
        break;
      case TemplateSaveResult::SaveFailed:
        ShowExportError(messages::kMidiSaveError);
        break;
      case TemplateSaveResult::Refused:
        ShowExportRefusal(TemplateRefusalMessage(refusal));
        break;
    }
    settings_.SaveMidDir = FolderOf(*chosen);
    if (SaveBothMode) saveFontDialogFileName_ = SoundFontNameFor(*chosen);
  }
  saveMidDialogFileName_ = QString::fromLatin1(MidiPattern);
}

void TMainForm::SaveMidBClick() { SaveMidMenuItemClick(); }

void TMainForm::SaveSFMClick() {
  SaveBothMode = true;
  SaveMidMenuItemClick();
  SaveSFItemClick();
  SaveBothMode = false;
}

void TMainForm::SaveSFMBClick() { SaveSFMClick(); }

}  // namespace slicewright
