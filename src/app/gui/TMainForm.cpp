#include "app/gui/TMainForm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QToolButton>

#include "app/gui/Dialogs.h"
#include "app/gui/MainTransportView.h"
#include "audio/Transport.h"
#include "document/LoadMessages.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

namespace slicewright {

TMainForm::TMainForm(Dialogs& dialogs, ConfigStore& configStore, WaveOutput& waveAudio,
                     TThreadedTimer& superTimer, QWidget* parent)
    : QMainWindow(parent),
      WaveAudio1(waveAudio),
      SuperTimer1(superTimer),
      dialogs_(dialogs),
      configStore_(configStore),
      openDialogFileName_(WavePattern) {
  setObjectName(QStringLiteral("TMainForm"));
  setWindowTitle(QStringLiteral("Slicewright "));
  setAcceptDrops(true);
  setCentralWidget(new QWidget(this));
  centralWidget()->setObjectName(QStringLiteral("Client"));
  centralWidget()->installEventFilter(this);
  resize(719, 398);

  BuildMenus();
  BuildPopupMenus();
  BuildFileToolbar();
  BuildToolPanel();
  BuildWavePanel();
  BuildTransportPanel();
  BuildStatusBar();
  ApplyMinimumSize();
  WatchPointer();
  ConnectClipboardCommands();
  ConnectShellCommands();

  view_ = std::make_unique<WaveView>(doc_, *PaintBox1, *PaintBox2);
  view_->SetWaveformShown([this] { return TrackBar1->isEnabled(); });
  view_->SetPointLimitHandler([this] {
    dialogs_.ShowMessage(this, MessageIcon::Warning, MessageButtons::Ok, MessageText(messages::kPointLimit));
  });
  ConnectTransport();
  ConnectZoomCommands();
  ConnectPointTools();
  ConnectLocators();
  ConnectEditCommands();
  ConnectExportCommands();

  doc_.Undo.Clear();
  doc_.BitsPerSample = 16;
  ReadConfiguration();
  ApplyRecentFiles(std::string());
  doc_.WaveImageStale = true;
  doc_.ActivePoints[0].Position = 0;
  doc_.SelectedSegment = 1;
  UpdateFileMenu();
  ShowNoDocumentStatus();
  StatusPanels[0]->clear();
  doc_.Threshold = 65535;
  ApplySavedPlacement();
  AlignPanels();
}

TMainForm::~TMainForm() = default;

bool TMainForm::event(QEvent* event) {
  // The status bar's first panel shows the long hint of whatever is under
  // the mouse, menu items included.
  if (event->type() == QEvent::StatusTip) {
    StatusPanels[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void TMainForm::WatchPointer() {
  // Moving over any part of the window other than the waveform empties the
  // sample read-out.
  QList<QWidget*> watched{centralWidget(), Panel1,       Panel2,       Panel3,       Panel4,
                          Button3,         Button4,      Button20,     Button24,     Edit1,
                          Edit2,           SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4,
                          SpeedButton5,    SpeedButton6, SpeedButton7};
  for (QWidget* widget : watched) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
  }
  PaintBox1->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PaintBox1) {
    // The add tool's tracking line shows only while the mouse is over the waveform.
    if (event->type() == QEvent::Leave) EraseTrackLineWhileAdding();
    return QMainWindow::eventFilter(watched, event);
  }
  if (watched == centralWidget() && event->type() == QEvent::Resize) FormResize();
  if (event->type() == QEvent::MouseMove) SpeedButton1MouseMove();
  // Pressing a button or a panel takes the add tool's tracking line away.
  if (event->type() == QEvent::MouseButtonPress) EraseTrackLineWhileAdding();
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ClearSamplePanel() { StatusPanels[2]->clear(); }

void TMainForm::ShowWaveformContextMenu(const QPoint& globalPos) {
  if (PaintBox1->isEnabled()) PopupMenu1->popup(globalPos);
}

}  // namespace slicewright
