#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "app/Configuration.h"
#include "app/gui/Clipboard.h"
#include "app/gui/Launcher.h"
#include "document/Document.h"
#include "document/WaveLoader.h"
#include "edit/EditOutcome.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QSpinBox;
class QLineEdit;
class QScrollBar;
class QToolButton;
class QWheelEvent;
class QKeyEvent;
class QShowEvent;

namespace slicewright {

class ConfigStore;
class Dialogs;
class ImageBox;
class MainTransportView;
class TForm1;
class TForm6;
class TMidiForm;
class TThreadedTimer;
class Transport;
class WaveOutput;
class WaveView;
struct FileDialogRequest;
struct SoundFontSettings;
struct ZoomAvailability;
class TForm2;
class TForm4;

// The main window: menus, tool bars, the waveform area, the transport panel
// and the status bar. Handlers call the core; the document lives here.
class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  // The wave output and the play-line timer are the platform's (or a test's)
  // and must outlive the window.
  TMainForm(Dialogs& dialogs, ConfigStore& configStore, WaveOutput& waveAudio, TThreadedTimer& superTimer,
            QWidget* parent = nullptr);
  ~TMainForm() override;

  Document& document() { return doc_; }
  Settings& settings() { return settings_; }
  WaveView& waveView() { return *view_; }
  Dialogs& dialogs() { return dialogs_; }
  Transport& transport() { return *transport_; }

  // Playback.
  WaveOutput& WaveAudio1;
  TThreadedTimer& SuperTimer1;
  void Button3Click();
  void Button4Click();
  void Button20Click();
  void Button24Click();
  // What the program ends with when the system has no audio output.
  static constexpr int NoSoundDeviceExitStatus = 1;
  // The keys of the transport; false for any other character.
  bool FormKeyPress(QChar key);
  void AppActivate();
  void AppDeActivate();
  // A point's mark was pressed and its drag is armed (Space then plays from
  // the pointer itself).
  bool DragArmed = false;

  // File commands.
  void OpenFile();
  // Opens a file named by a drop or on the command line, with the checks and
  // messages of Open.
  void OpenNamedFile(const QString& path);
  void SubOpenItemClick(int item);
  void RevertItemClick();
  void CloseFile();
  void UpdateFileMenu();
  void FileExitItemClick();

  // View.
  void RefreshDocumentView();
  void FormResize();
  void ViewFTItemClick();
  void ViewETItemClick();
  void mnuPpanelClick();
  void SpeedButton5Click();
  void SpeedButton6Click();
  void SpeedButton7Click();
  bool PanelAtTop() const { return panelAtTop_; }

  // Sensitivity and tempo.
  void TrackBar1Change(int position);
  void Edit1Change();
  void Edit2Change();

  // x of the last mouse move over the waveform area or the strip.
  int PointerX = 0;
  // The program is about to end: resize, activation and repaint do nothing.
  bool Closing = false;

  // Zoom.
  void PopupZinClick();
  void PopUpZoutClick();
  void PopUpZtsClick();
  void PopUp11Click();
  void PaintBox2MouseDown(Qt::MouseButton button);
  // Beyond the menu's zooms: the wheel scrolls a zoomed view and, with Ctrl,
  // zooms around the pointer; the scroll bar under the strip moves the view.
  void PaintBox1MouseWheel(QWheelEvent* event);
  void ScrollBar1Change(int value);

  // The point tools.
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x);
  void PaintBox1MouseMove(int x, int y);
  void PaintBox1MouseUp(Qt::MouseButton button);
  void PaintBox2MouseMove(int x);
  // The mouse moved over a part of the window other than the waveform.
  void SpeedButton1MouseMove();
  void PopupMenu1Popup();
  void PopUpAddCurClick();
  void mnuLockAllClick();
  void mnuUnlockAllClick();
  bool AddToolActive = false;
  bool EnableToolActive = false;
  bool LockToolActive = false;
  // Index in SlicePoints of the point whose mark is under the mouse; 0 for none.
  int32_t HoverPoint = 0;
  bool LockHover = false;
  bool EnableHover = false;
  bool DragStarted = false;
  bool MovedSinceDown = false;
  int32_t ClickSegment = 0;
  // The waveform's context menu popped up and its closing click is pending.
  bool ContextMenuOpen = false;
  double PointerFullX = 0.0;

  // Locators.
  void Button19MouseDown(int x);
  void Button19MouseMove(int x);
  void Button19MouseUp();
  void Button21MouseDown(int x);
  void Button21MouseMove(int x);
  void Button21MouseUp();
  bool LocatorDragging = false;

  // Undo and the segment edits.
  void mnuUndoClick();
  void mnuReverseClick();
  void mnuSilenceClick();
  void Reverse1Click();
  void Silence1Click();
  void CropRegion1Click();
  void SpeedButton17Click();

  // Exports: slices and stretches as WAV files, the SoundFont bank and the
  // MIDI timing template. The button handlers forward to the menu ones.
  void SplitMenuItemClick();
  void SaveWaveBClick();
  void SaveSelectItemClick();
  void PopUpSaveClick();
  void SaveRegionItemClick();
  void SaveSFItemClick();
  void SaveSFBClick();
  void SaveMidMenuItemClick();
  void SaveMidBClick();
  void SaveSFMClick();
  void SaveSFMBClick();
  // The slices as an SFZ instrument, with the SoundFont dialog's settings.
  void SaveSfzItemClick();
  // Set while the combined save runs: the template save hands its file name
  // on to the bank's dialog.
  bool SaveBothMode = false;
  // The progress panel and the two settings dialogs; they live as long as
  // the window and keep their settings between uses.
  TForm1* Form1 = nullptr;
  TMidiForm* MidiForm = nullptr;
  TForm6* Form6 = nullptr;

  // Components under their designer names.
  QMenu* File1 = nullptr;
  QAction* FileOpenItem = nullptr;
  QMenu* ReOpen1 = nullptr;
  std::array<QAction*, RecentFileCount> SubOpenItems{};
  QAction* RevertItem = nullptr;
  QAction* FileCloseItem = nullptr;
  QAction* SaveSelectItem = nullptr;
  QAction* SaveRegionItem = nullptr;
  QAction* SplitMenuItem = nullptr;
  QAction* SaveSFItem = nullptr;
  QAction* SaveMidMenuItem = nullptr;
  QAction* SaveSFM = nullptr;
  QAction* SaveSfzItem = nullptr;
  QAction* Options1 = nullptr;
  QAction* FileExitItem = nullptr;
  QMenu* Edit3 = nullptr;
  QAction* mnuUndo = nullptr;
  QAction* mnuCopyAll = nullptr;
  QAction* mnuPasteAllKeep = nullptr;
  QAction* mnuPasteNew = nullptr;
  QAction* CropRegion1 = nullptr;
  QAction* mnuLockAll = nullptr;
  QAction* mnuUnlockAll = nullptr;
  QMenu* View1 = nullptr;
  QAction* ViewFTItem = nullptr;
  QAction* ViewETItem = nullptr;
  QAction* mnuPpanel = nullptr;
  QAction* ControlPanel1 = nullptr;
  QMenu* Keys1 = nullptr;  // never shown: carries the Del and Ins keys
  QAction* Silence1 = nullptr;
  QAction* Reverse1 = nullptr;
  QMenu* Help1 = nullptr;
  QAction* HelpFileItem = nullptr;
  QAction* h1 = nullptr;
  QAction* HelpAboutItem = nullptr;

  QMenu* PopupMenu1 = nullptr;
  QAction* PopUpSave = nullptr;
  QAction* PopupZin = nullptr;
  QAction* PopUpZout = nullptr;
  QAction* PopUp11 = nullptr;
  QAction* PopUpZts = nullptr;
  QMenu* Tools1 = nullptr;
  QAction* popupSilence = nullptr;
  QAction* PopupRev = nullptr;
  QAction* PopUpAddCur = nullptr;
  QMenu* Edit4 = nullptr;
  QAction* CopySegment1 = nullptr;
  QAction* PasteIntoSegment2 = nullptr;
  QAction* PopUpPlay = nullptr;
  QMenu* PopupMenu2 = nullptr;
  QAction* FilePop = nullptr;
  QAction* EditPop = nullptr;

  QWidget* Panel1 = nullptr;
  QWidget* Panel2 = nullptr;
  QWidget* Panel3 = nullptr;
  QWidget* Panel4 = nullptr;
  QFrame* Bevel4 = nullptr;
  ImageBox* PaintBox1 = nullptr;
  ImageBox* PaintBox2 = nullptr;
  QScrollBar* ScrollBar1 = nullptr;
  QPushButton* Button19 = nullptr;
  QPushButton* Button21 = nullptr;
  QToolButton* SpeedButton11 = nullptr;
  QToolButton* SaveWaveB = nullptr;
  QToolButton* SaveMidB = nullptr;
  QToolButton* SaveSFB = nullptr;
  QToolButton* SaveSFMB = nullptr;
  QToolButton* SpeedButton12 = nullptr;
  QToolButton* SpeedButton17 = nullptr;
  QToolButton* SpeedButton18 = nullptr;
  QToolButton* SpeedButton19 = nullptr;
  QToolButton* SpeedButton16 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton3 = nullptr;
  QToolButton* SpeedButton4 = nullptr;
  QToolButton* SpeedButton5 = nullptr;
  QToolButton* SpeedButton6 = nullptr;
  QToolButton* SpeedButton7 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button20 = nullptr;
  QPushButton* Button24 = nullptr;
  QSlider* TrackBar1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QSpinBox* UpDown1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QSpinBox* UpDown2 = nullptr;
  QLabel* Label3 = nullptr;
  std::array<QLabel*, 4> StatusPanels{};

  // Clipboard exchange of audio, and the Edit menu's paste items.
  // The window starts with the desktop's clipboard; a test hands it another.
  void SetClipboard(Clipboard& clipboard);
  void Edit3Click();
  void mnuCopyAllClick();
  void CopySegment1Click();
  void mnuPasteAllKeepClick();
  void mnuPasteNewClick();
  void PasteIntoSegment2Click();

  // The options dialog, the outside programs, the help and the about box.
  // The window starts with the desktop's launcher; a test hands it another.
  void SetLauncher(Launcher& launcher);
  void Options1Click();
  void ControlPanel1Click();
  void SpeedButton16Click();
  void HelpFileItemClick();
  void h1Click();
  void HelpAboutItemClick();
  static const QString HomePage;
  // The current folder at start: where the help file is looked for first.
  QString StartFolder;
  // Where the help page is looked for, in order: the start folder, beside
  // the program (the build tree), the installed data folders.
  QStringList HelpFolders;
  TForm4* Form4 = nullptr;
  TForm2* Form2 = nullptr;

 private:
  using WholePaste = EditOutcome (*)(Document&, std::span<const uint8_t>);
  void ConnectClipboardCommands();
  void PasteWholeAudio(WholePaste paste);
  void ConnectShellCommands();
  QStringList DefaultHelpFolders() const;
  // The help file to open, or an empty text when there is none.
  QString HelpFilePath() const;
  std::unique_ptr<Clipboard> ownClipboard_;
  Clipboard* clipboard_ = nullptr;
  std::unique_ptr<Launcher> ownLauncher_;
  Launcher* launcher_ = nullptr;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Construction, by area.
  void BuildMenus();
  void BuildPopupMenus();
  void BuildFileToolbar();
  void BuildToolPanel();
  void BuildWavePanel();
  void BuildTransportPanel();
  void BuildStatusBar();
  void WatchPointer();

  // Files.
  void ShowRefusal(const LoadRefusal& refusal);
  bool CheckAndLoad(const std::string& path, LoadCommand command);
  // Loads through the core and shows the new document; when a question was
  // declined or the file failed to read, the old document stays.
  enum class LoadResult { Loaded, Declined, Failed };
  LoadResult LoadWaveFile(const std::string& path);
  // The status bar's format panel, grown to fit its text.
  void ShowFileFormat(const QString& text);
  void SizeHintPanel();
  void ShowLoadedDocument();
  // The status texts of a window without a document, as at start-up.
  void ShowNoDocumentStatus();
  void EmptyDocument();
  void DisableDocumentControls();
  void ApplyRecentFiles(const std::string& openPath);
  void ShowFailure(const std::exception& error);

  // View and layout.
  void AlignPanels();
  void LayOutWaveArea();
  void ToggleIcons(bool& shown, QToolButton* button);
  void ApplyMinimumSize();
  void PlaceLocatorButtonsAtEnds();
  void ClearSamplePanel();
  void ShowWaveformContextMenu(const QPoint& globalPos);

  // Tempo.
  void RefreshLoopTempo();

  // Zoom.
  void ConnectZoomCommands();
  // Shows each locator button at its locator's column while the locator lies
  // in the view, and hides it otherwise.
  void PlaceLocatorButtons();
  void ApplyZoomAvailability(const ZoomAvailability& zooms);
  // Runs a change of the view, then the end every change shares: locators,
  // zoom read-out, play-line timing, the play line carried over from the
  // view that started at oldStart with oldLength bytes, the scroll bar and
  // the full redraw.
  void ChangeView(const std::function<void()>& change);
  void FinishViewChange(int32_t oldStart, int32_t oldLength);
  void UpdateScrollBar();

  // The point tools.
  void ConnectPointTools();
  void EraseTrackLineWhileAdding();
  bool InIconStrip(int y) const;
  void HitTestActiveMarks(bool inStrip);
  void HitTestFlaggedMarks(bool inStrip, bool SlicePoint::*flag, bool flagValue, bool& hover);
  void ShowHover();
  void UpdateHover();
  EditOutcome ReleasePoint(Qt::MouseButton button);

  // Locators.
  void ConnectLocators();
  void GrabLocator(int x);
  void DragLocator(QPushButton* button, int x);
  void DropLocator();

  // Edits.
  void ConnectEditCommands();
  // Acts on what a core edit asks of the window.
  void ApplyEditOutcome(const EditOutcome& outcome);

  // Exports.
  void ConnectExportCommands();
  void SaveSegmentUnderPointer();
  void ShowExportError(const char* text);
  // The bank and the SFZ set: the SoundFont dialog, the file, the write and
  // its messages; true when a file was chosen.
  enum class InstrumentSave { Saved, KeysExceeded, SaveFailed };
  bool SaveInstrument(
      const FileDialogRequest& request,
      const std::function<InstrumentSave(const SoundFontSettings&, const std::string&)>& write,
      const char* saveError);
  void ShowExportRefusal(const char* text);

  // Playback.
  void ConnectTransport();
  // The window sees the transport keys before the focused control does.
  bool PreviewKey(QObject* target, QKeyEvent* event);

  // Configuration.
  void ReadConfiguration();
  void WriteConfiguration();
  void ApplySavedPlacement();
  void StorePlacement();

  Dialogs& dialogs_;
  ConfigStore& configStore_;
  Document doc_;
  Settings settings_;
  std::unique_ptr<WaveView> view_;
  std::unique_ptr<MainTransportView> transportView_;
  std::unique_ptr<Transport> transport_;
  bool shownOnce_ = false;
  // The open dialog returns to this name after every command.
  QString openDialogFileName_;
  bool panelAtTop_ = false;
  // Column of the last press in the waveform on the full-file scale: the
  // centre of Zoom In.
  int32_t pressColumn_ = 0;
  // Column of the drag line or the add tool's line: where a release puts the point.
  int dragLineX_ = 0;
  // y of the last mouse move over the waveform area.
  int pointerY_ = 0;
  // The point being dragged, fixed at the press.
  int32_t draggedPoint_ = 0;
  // Where in a locator button the drag took hold of it.
  int locatorGrabX_ = 0;
  int wheelTurn_ = 0;  // eighths of a degree turned and not yet a whole notch
  // Check marks toggled from their own state, so menu and tool bar menu agree
  // whichever of them was used.
  bool fileToolbarChecked_ = true;
  bool editToolbarChecked_ = true;
  // The names the three save dialogs open with: their patterns, except
  // where a command leaves a chosen name behind.
  QString saveDialogFileName_ = QString::fromLatin1(WavePattern);
  QString saveFontDialogFileName_ = QString::fromLatin1(SoundFontPattern);
  QString saveMidDialogFileName_ = QString::fromLatin1(MidiPattern);
  QString saveSfzDialogFileName_ = QString::fromLatin1(SfzPattern);
};

}  // namespace slicewright
