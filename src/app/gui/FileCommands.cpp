// Open, reopen, revert, close and dropping files on the window.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "app/gui/Dialogs.h"
#include "app/gui/TMainForm.h"
#include "audio/Transport.h"
#include "document/AudioConversion.h"
#include "document/LoadMessages.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

namespace slicewright {
namespace {

bool IsFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

QString FolderOf(const std::string& path) { return QFileInfo(QString::fromStdString(path)).absolutePath(); }

// A dropped or dragged item names a local audio file that opens, directly
// or by conversion.
QString DroppedAudioFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && OpensAsAudio(url.toLocalFile().toStdString(), true)) return url.toLocalFile();
  }
  return {};
}

}  // namespace

void TMainForm::ShowFailure(const std::exception& error) {
  dialogs_.ShowMessage(this, MessageIcon::Error, MessageButtons::Ok, QString::fromStdString(error.what()));
}

void TMainForm::ShowRefusal(const LoadRefusal& refusal) {
  const MessageIcon icon =
      refusal.severity == RefusalSeverity::Error ? MessageIcon::Error : MessageIcon::Warning;
  dialogs_.ShowMessage(this, icon, MessageButtons::Ok, QString::fromStdString(refusal.message));
}

// The checks of every open command, then the load. A file that only
// conversion opens is offered for conversion first; declining shows the
// refusal the check gave, as it always has.
bool TMainForm::CheckAndLoad(const std::string& path, LoadCommand command) {
  const std::optional<LoadRefusal> refusal = CheckBeforeLoad(path, command);
  if (refusal && !refusal->conversion) {
    ShowRefusal(*refusal);
    return false;
  }
  const LoadResult result = LoadWaveFile(path);
  if (result == LoadResult::Declined && refusal) ShowRefusal(*refusal);
  return result == LoadResult::Loaded;
}

void TMainForm::OpenFile() {
  FileDialogRequest request;
  request.title = QStringLiteral("Load File");
  request.filter = QStringLiteral(
      "Wave Audio Files (*.wav)|*.wav|All Files (*.*)|*.*|Audio Files (*.wav *.aif *.aiff *.flac *.ogg)|"
      "*.wav;*.aif;*.aiff;*.flac;*.ogg");
  request.folder = QString::fromStdString(settings_.OpenDir);
  request.defaultSuffix = QStringLiteral("wav");
  request.fileName = openDialogFileName_;
  if (const std::optional<QString> chosen = dialogs_.GetOpenFileName(this, request)) {
    openDialogFileName_ = *chosen;
    const std::string path = chosen->toStdString();
    if (CheckAndLoad(path, LoadCommand::Open)) settings_.OpenDir = FolderOf(path).toStdString();
  }
  openDialogFileName_ = QString::fromLatin1(WavePattern);
}

void TMainForm::OpenNamedFile(const QString& path) {
  if (Closing) return;
  // A name relative to where the program started would be wrong in ReOpen later.
  const std::string file = QFileInfo(path).absoluteFilePath().toStdString();
  if (CheckAndLoad(file, LoadCommand::Open)) settings_.OpenDir = FolderOf(file).toStdString();
}

void TMainForm::SubOpenItemClick(int item) {
  // A copy: loading moves the recent names around.
  const std::string path = settings_.RecentFiles[static_cast<size_t>(item - 1)];
  CheckAndLoad(path, LoadCommand::Reopen);
  if (item > 1) openDialogFileName_ = QString::fromLatin1(WavePattern);
}

void TMainForm::RevertItemClick() {
  if (!doc_.HasFile()) return;
  const MessageAnswer answer = dialogs_.ShowMessage(this, MessageIcon::Question, MessageButtons::YesNo,
                                                    QString::fromLatin1(messages::kRevertQuestion));
  if (answer == MessageAnswer::Yes) {
    const std::string path = doc_.LoadedFileName;
    if (CheckAndLoad(path, LoadCommand::Revert)) settings_.OpenDir = FolderOf(path).toStdString();
  }
  openDialogFileName_ = QString::fromLatin1(WavePattern);
}

void TMainForm::UpdateFileMenu() {
  FileCloseItem->setEnabled(doc_.HasFile());
  RevertItem->setEnabled(doc_.HasFile());
}

void TMainForm::ApplyRecentFiles(const std::string& openPath) {
  const RecentFileVisibility visible = UpdateRecentFiles(settings_.RecentFiles, openPath, IsFile(openPath));
  bool anyVisible = false;
  for (int i = 0; i < RecentFileCount; ++i) {
    QString caption = QString::fromStdString(settings_.RecentFiles[i]);
    SubOpenItems[i]->setText(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
    SubOpenItems[i]->setVisible(visible[i]);
    anyVisible = anyVisible || visible[i];
  }
  // An empty submenu that pops up on hover can leave the menu unusable.
  ReOpen1->menuAction()->setEnabled(anyVisible);
}

void TMainForm::PlaceLocatorButtonsAtEnds() {
  Button19->move(PaintBox1->x(), Button19->y());
  Button21->move(PaintBox1->x() + PaintBox1->width() - Button21->width(), Button21->y());
}

// What closing disables, shared by Close and by a load that replaces a document.
void TMainForm::DisableDocumentControls() {
  for (QAction* action :
       {mnuUndo,        mnuPasteNew, mnuLockAll,      mnuUnlockAll,  SaveSFItem,      SaveSfzItem,
        SaveRegionItem, SaveSFM,     SaveSelectItem,  SplitMenuItem, SaveMidMenuItem, FileCloseItem,
        CropRegion1,    mnuCopyAll,  mnuPasteAllKeep, PopupZin,      PopUpZout,       PopUpZts,
        PopUp11,        PopupRev,    popupSilence}) {
    action->setEnabled(false);
  }
  for (QWidget* widget : std::initializer_list<QWidget*>{
           TrackBar1, SaveWaveB, SaveMidB, SpeedButton17, SpeedButton18, SpeedButton19, SaveSFB, SaveSFMB,
           Button19, Button21, Button3, Button4, Button24, Button20, PaintBox1}) {
    widget->setEnabled(false);
  }
  SpeedButton1->setChecked(true);
}

void TMainForm::EmptyDocument() {
  // The device stops playing from the play buffer before it is released.
  transport_->DocumentClosing();
  CloseDocument(doc_);
  // A closed document has no length, so no later refresh reads the released data.
  doc_.DataLength = 0;
  doc_.ViewStart = doc_.ViewEnd = doc_.ViewLength = 0;
  doc_.RescanPending = false;
  ResetPointTables(doc_);
  DisableDocumentControls();
  UpdateFileMenu();
  view_->HideTrackLine();
  UpdateScrollBar();
  doc_.WaveImageStale = true;
  RefreshDocumentView();
  PlaceLocatorButtonsAtEnds();
  setWindowTitle(QStringLiteral("Slicewright"));
}

void TMainForm::CloseFile() {
  if (!doc_.HasFile()) return;
  EmptyDocument();
  ApplyRecentFiles(std::string());
  view_->HidePlayLine();
  ShowNoDocumentStatus();
}

void TMainForm::ShowNoDocumentStatus() {
  ShowFileFormat(QStringLiteral("No File Loaded"));
  StatusPanels[2]->clear();
  StatusPanels[3]->setText(QStringLiteral("x1.0"));
  Label3->setText(QStringLiteral("0.0 BPM"));
}

TMainForm::LoadResult TMainForm::LoadWaveFile(const std::string& path) {
  // The window's side of the load: the stereo and conversion dialogs, and
  // emptying the window once the new document is about to take the old one's place.
  class WindowQuestions : public LoadQuestions {
   public:
    WindowQuestions(TMainForm& form, const std::string& path) : form_(form), path_(path) {}
    std::optional<StereoChoice> ChooseChannel() override {
      return form_.dialogs_.ChooseStereoChannel(&form_);
    }
    std::optional<StereoChoice> ConfirmConversion(const SourceFormat& format) override {
      return form_.dialogs_.ConfirmConversion(&form_, QString::fromStdString(format.Description()),
                                              format.channels == 2);
    }
    void ReplacingDocument() override {
      form_.ApplyRecentFiles(path_);
      if (form_.doc_.HasFile()) form_.EmptyDocument();
    }

   private:
    TMainForm& form_;
    const std::string path_;
  } questions(*this, path);

  try {
    if (!LoadDocument(doc_, path, questions)) return LoadResult::Declined;
  } catch (const std::exception& error) {
    ShowFailure(error);
    return LoadResult::Failed;
  }
  ShowLoadedDocument();
  return LoadResult::Loaded;
}

// Enables what a document makes usable and shows the new document whole.
void TMainForm::ShowLoadedDocument() {
  for (QAction* action :
       {mnuPasteNew, mnuLockAll, mnuUnlockAll, mnuCopyAll, CropRegion1, mnuPasteAllKeep, PopUp11, PopupZin,
        PopupRev, popupSilence, SaveSFItem, SaveSfzItem, SaveRegionItem, SaveSFM, SplitMenuItem}) {
    action->setEnabled(true);
  }
  mnuUndo->setEnabled(false);
  PopUpZts->setEnabled(false);
  for (QWidget* widget : std::initializer_list<QWidget*>{
           PaintBox1, Button19, Button21, SaveWaveB, SpeedButton17, SpeedButton18, SpeedButton19, SaveMidB,
           SaveSFB, SaveSFMB, TrackBar1, Button3, Button20, Button24}) {
    widget->setEnabled(true);
  }
  Button4->setEnabled(false);
  view_->SetTrackPen(Qt::red);
  UpdateFileMenu();

  setWindowTitle(QFileInfo(QString::fromStdString(doc_.LoadedFileName)).fileName() +
                 QStringLiteral(" - Slicewright"));
  // A converted file names the format it came in.
  QString format = QStringLiteral("%1 Bit / %2 hz").arg(doc_.BitsPerSample).arg(doc_.SampleRate);
  if (!doc_.SourceFormat.empty())
    format += QStringLiteral(", from ") + QString::fromStdString(doc_.SourceFormat);
  ShowFileFormat(format);
  Label2->setText(QStringLiteral("0%"));
  {
    // The slider's own handler would refresh the view before the new view range is set.
    const QSignalBlocker blocker(TrackBar1);
    TrackBar1->setValue(0);
  }

  transport_->DocumentLoaded();

  {
    const QSignalBlocker bars(UpDown1);
    const QSignalBlocker beats(UpDown2);
    UpDown1->setValue(1);
    UpDown2->setValue(0);
  }
  Edit1->setText(QStringLiteral("1"));
  Edit2->setText(QStringLiteral("0"));
  RefreshLoopTempo();

  PlaceLocatorButtonsAtEnds();
  Button19->show();
  Button21->show();
  UpdateScrollBar();
  StatusPanels[3]->setText(QStringLiteral("x1.0"));
  // The waveform shows while the new audio is scanned, then its points.
  doc_.WaveImageStale = true;
  RefreshDocumentView();
  view_->Rescan();
  RefreshDocumentView();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedAudioFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QString path = DroppedAudioFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Opened once the drop has ended: the questions and messages of opening
  // would otherwise hold the file manager's drag until they are answered.
  QTimer::singleShot(0, this, [this, path] { OpenNamedFile(path); });
}

}  // namespace slicewright
