// The tool bars, the waveform panel, the transport panel and the status bar.
#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/Hints.h"
#include "app/gui/TMainForm.h"
#include "app/gui/WindowLayout.h"
#include "view/gui/PaintBoxes.h"

namespace slicewright {
namespace {

using namespace layout;

QFrame* Panel(QWidget* parent, const char* name) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setMouseTracking(true);
  return panel;
}

QToolButton* ToolButton(QWidget* parent, const char* name, const QString& hint, const QIcon& icon,
                        const QString& text, bool enabled) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoRaise(true);
  if (icon.isNull()) {
    button->setText(text);
  } else {
    button->setIcon(icon);
  }
  SetHint(button, hint);
  button->setEnabled(enabled);
  return button;
}

QIcon Standard(QWidget* widget, QStyle::StandardPixmap pixmap) {
  return widget->style()->standardIcon(pixmap);
}

// A bars or beats field: a read-only text that its up-down control steps.
QLineEdit* CountField(QWidget* parent, const char* name, const QString& hint) {
  auto* edit = new QLineEdit(QStringLiteral("0"), parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setReadOnly(true);
  edit->setFixedWidth(34);
  edit->setAlignment(Qt::AlignRight);
  SetHint(edit, hint);
  return edit;
}

// The arrows of a spin box without its own text: the buddy field shows the number.
class ArrowsOnly : public QSpinBox {
 public:
  explicit ArrowsOnly(QWidget* parent) : QSpinBox(parent) { lineEdit()->setVisible(false); }
};

QSpinBox* UpDown(QWidget* parent, const char* name, const QString& hint, QLineEdit* buddy) {
  auto* upDown = new ArrowsOnly(parent);
  upDown->setObjectName(QString::fromLatin1(name));
  upDown->setRange(0, 100);
  upDown->setSingleStep(1);
  upDown->setWrapping(false);
  upDown->setGroupSeparatorShown(false);
  upDown->setFixedWidth(upDown->sizeHint().height());
  SetHint(upDown, hint);
  QObject::connect(upDown, &QSpinBox::valueChanged, buddy,
                   [buddy](int value) { buddy->setText(QString::number(value)); });
  return upDown;
}

}  // namespace

void TMainForm::BuildFileToolbar() {
  Panel3 = Panel(centralWidget(), "Panel3");
  Panel3->setFixedHeight(kFileToolbarHeight);
  auto* row = new QHBoxLayout(Panel3);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(1);
  SpeedButton11 = ToolButton(Panel3, "SpeedButton11", QStringLiteral("Open file|Click to open a new file"),
                             Standard(this, QStyle::SP_DialogOpenButton), {}, true);
  SaveWaveB = ToolButton(Panel3, "SaveWaveB", QStringLiteral("Save wave file|Click to split to wave files"),
                         Standard(this, QStyle::SP_DialogSaveButton), {}, false);
  SaveMidB =
      ToolButton(Panel3, "SaveMidB",
                 QStringLiteral("Save midi file|Click to save timing template to a standard midi file"), {},
                 QStringLiteral("MID"), false);
  SaveSFB =
      ToolButton(Panel3, "SaveSFB", QStringLiteral("Save soundfont file|Click to save to a soundfont 2 file"),
                 {}, QStringLiteral("SF2"), false);
  SaveSFMB = ToolButton(Panel3, "SaveSFMB",
                        QStringLiteral("Save soundfont and midi file|Click to save soundfont and midi files"),
                        {}, QStringLiteral("SF+M"), false);
  SpeedButton12 = ToolButton(Panel3, "SpeedButton12", QStringLiteral("Undo|Undo the last operation"),
                             Standard(this, QStyle::SP_ArrowBack), {}, false);
  SpeedButton17 = ToolButton(Panel3, "SpeedButton17", QStringLiteral("Crop|Crop region defined by locators"),
                             {}, QStringLiteral("Crop"), false);
  SpeedButton18 = ToolButton(Panel3, "SpeedButton18", QStringLiteral("Lock all|Lock all points"), {},
                             QStringLiteral("L+"), false);
  SpeedButton19 = ToolButton(Panel3, "SpeedButton19", QStringLiteral("Unlock all|Unlock all points"), {},
                             QStringLiteral("L-"), false);
  SpeedButton16 =
      ToolButton(Panel3, "SpeedButton16", QStringLiteral("Control Panel|Open the soundcard control panel"),
                 Standard(this, QStyle::SP_MediaVolume), {}, true);
  for (QToolButton* button : {SpeedButton11, SaveWaveB, SaveMidB, SaveSFB, SaveSFMB, SpeedButton12,
                              SpeedButton17, SpeedButton18, SpeedButton19, SpeedButton16}) {
    row->addWidget(button);
  }
  row->addStretch();
  connect(SpeedButton11, &QToolButton::clicked, this, &TMainForm::OpenFile);

  Bevel4 = new QFrame(centralWidget());
  Bevel4->setObjectName(QStringLiteral("Bevel4"));
  Bevel4->setFrameShape(QFrame::HLine);
  Bevel4->setFrameShadow(QFrame::Sunken);
  Bevel4->setFixedHeight(3);
  Bevel4->setVisible(false);
}

void TMainForm::BuildToolPanel() {
  Panel2 = Panel(centralWidget(), "Panel2");
  Panel2->setFixedWidth(kToolPanelWidth);
  auto* column = new QVBoxLayout(Panel2);
  column->setContentsMargins(2, 4, 2, 4);
  column->setSpacing(2);
  SpeedButton1 = ToolButton(Panel2, "SpeedButton1", QStringLiteral("Select|Select tool"), {},
                            QStringLiteral("Sel"), true);
  SpeedButton2 = ToolButton(Panel2, "SpeedButton2", QStringLiteral("Add|Add slice point tool"), {},
                            QStringLiteral("Add"), true);
  SpeedButton3 =
      ToolButton(Panel2, "SpeedButton3", QStringLiteral("Enable/disable|Enable / disable slice point tool"),
                 {}, QStringLiteral("En"), true);
  SpeedButton4 =
      ToolButton(Panel2, "SpeedButton4", QStringLiteral("Lock/unlock|Lock/unlock slice point tool"), {},
                 QStringLiteral("Lock"), true);
  auto* tools = new QButtonGroup(Panel2);
  tools->setExclusive(true);
  for (QToolButton* button : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4}) {
    button->setCheckable(true);
    tools->addButton(button);
    column->addWidget(button, 0, Qt::AlignHCenter);
  }
  SpeedButton1->setChecked(true);
  column->addSpacing(8);
  SpeedButton5 = ToolButton(Panel2, "SpeedButton5", QStringLiteral("Sample icons|Show / hide sample icons"),
                            {}, QStringLiteral("S"), true);
  SpeedButton6 = ToolButton(Panel2, "SpeedButton6", QStringLiteral("Lock icons|Show / hide lock icons"), {},
                            QStringLiteral("L"), true);
  SpeedButton7 =
      ToolButton(Panel2, "SpeedButton7", QStringLiteral("Disabled icons|Show / hide sample disabled icons"),
                 {}, QStringLiteral("D"), true);
  for (QToolButton* button : {SpeedButton5, SpeedButton6, SpeedButton7}) {
    button->setCheckable(true);
    button->setChecked(true);
    column->addWidget(button, 0, Qt::AlignHCenter);
  }
  column->addStretch();
  connect(SpeedButton5, &QToolButton::clicked, this, &TMainForm::SpeedButton5Click);
  connect(SpeedButton6, &QToolButton::clicked, this, &TMainForm::SpeedButton6Click);
  connect(SpeedButton7, &QToolButton::clicked, this, &TMainForm::SpeedButton7Click);

  for (QWidget* bar : {Panel3, Panel2}) {
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(bar, &QWidget::customContextMenuRequested, this,
            [this, bar](const QPoint& at) { PopupMenu2->popup(bar->mapToGlobal(at)); });
  }
}

void TMainForm::BuildWavePanel() {
  QFrame* wavePanel = Panel(centralWidget(), "Panel4");
  wavePanel->setFrameShape(QFrame::NoFrame);
  Panel4 = wavePanel;
  PaintBox1 = new ImageBox(Panel4);
  PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
  PaintBox1->setCursor(Qt::CrossCursor);
  PaintBox1->setEnabled(false);
  SetHint(PaintBox1,
          QStringLiteral("SPC/ENT/LMB play; RMB menu;  Ins reverse/Del silence; Shift/Ctrl+LMB zoom in/out"));
  PaintBox2 = new ImageBox(Panel4);
  PaintBox2->setObjectName(QStringLiteral("PaintBox2"));
  PaintBox2->setFixedHeight(kStripHeight);
  SetHint(PaintBox2,
          QStringLiteral("Shows selected segment - left mouse to zoom to segment, right mouse to zoom 1:1"));
  Button19 = new QPushButton(QStringLiteral("L"), Panel4);
  Button19->setObjectName(QStringLiteral("Button19"));
  SetHint(Button19, QStringLiteral("Click and drag to set left locator position"));
  Button21 = new QPushButton(QStringLiteral("R"), Panel4);
  Button21->setObjectName(QStringLiteral("Button21"));
  SetHint(Button21, QStringLiteral("Click and drag to set right locator position"));
  for (QPushButton* button : {Button19, Button21}) {
    button->setFixedSize(kLocatorWidth, kLocatorHeight);
    button->setEnabled(false);
    button->setFocusPolicy(Qt::NoFocus);
  }
  // Under the strip while zoomed in; hidden at 1:1.
  ScrollBar1 = new QScrollBar(Qt::Horizontal, Panel4);
  ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
  ScrollBar1->setFixedHeight(kScrollBarHeight);
  ScrollBar1->setFocusPolicy(Qt::NoFocus);
  ScrollBar1->hide();
  SetHint(ScrollBar1,
          QStringLiteral("Drag to scroll the zoomed view; the mouse wheel scrolls too, Ctrl+wheel zooms"));
  PaintBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(PaintBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ShowWaveformContextMenu(PaintBox1->mapToGlobal(at)); });
  connect(PaintBox1, &ImageBox::MouseMoved, this, [this](QMouseEvent* event) {
    PaintBox1MouseMove(static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
  });
  connect(PaintBox2, &ImageBox::MouseMoved, this,
          [this](QMouseEvent* event) { PaintBox2MouseMove(static_cast<int>(event->position().x())); });
}

void TMainForm::BuildTransportPanel() {
  Panel1 = Panel(centralWidget(), "Panel1");
  Panel1->setFixedHeight(kTransportHeight);
  auto* row = new QHBoxLayout(Panel1);
  row->setContentsMargins(6, 4, 6, 4);
  auto transport = [this, row](const char* name, const QString& caption, const QString& hint, bool toggle) {
    auto* button = new QPushButton(caption, Panel1);
    button->setObjectName(QString::fromLatin1(name));
    // Narrower than the style's usual 80 pixels when the window is small,
    // never narrower than the caption.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + 24);
    button->setCheckable(toggle);
    button->setEnabled(false);
    SetHint(button, hint);
    row->addWidget(button);
    return button;
  };
  Button3 = transport("Button3", QStringLiteral("All"), QStringLiteral("Click to play entire visible region"),
                      true);
  Button4 = transport("Button4", QStringLiteral("Selected"), QStringLiteral("Click to play selected segment"),
                      true);
  Button20 = transport("Button20", QStringLiteral("Loop"),
                       QStringLiteral("Click to loop region defined by locators"), true);
  Button24 =
      transport("Button24", QStringLiteral("Stop"), QStringLiteral("Click to stop sample playback"), false);

  TrackBar1 = new QSlider(Qt::Horizontal, Panel1);
  TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
  TrackBar1->setRange(0, 65536);
  TrackBar1->setSingleStep(1024);
  TrackBar1->setPageStep(4096);
  TrackBar1->setTickPosition(QSlider::NoTicks);
  TrackBar1->setEnabled(false);
  TrackBar1->setMinimumWidth(80);
  SetHint(TrackBar1, QStringLiteral("Drag to adjust sensitivity"));
  row->addSpacing(6);
  row->addWidget(TrackBar1, 1);
  Label2 = new QLabel(QStringLiteral("0%"), Panel1);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setMinimumWidth(Label2->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 4);
  SetHint(Label2, QStringLiteral("Sensitivity"));
  row->addWidget(Label2);
  row->addSpacing(6);

  Edit1 = CountField(Panel1, "Edit1", QStringLiteral("Bars within looped region"));
  UpDown1 = UpDown(Panel1, "UpDown1", QStringLiteral("Click to adjust bars in selected region"), Edit1);
  Edit2 = CountField(Panel1, "Edit2", QStringLiteral("Beats within looped region"));
  UpDown2 = UpDown(Panel1, "UpDown2", QStringLiteral("Click to adjust beats in selected region"), Edit2);
  row->addWidget(Edit1);
  row->addWidget(UpDown1);
  row->addWidget(Edit2);
  row->addWidget(UpDown2);
  Label3 = new QLabel(QStringLiteral("0.0 BPM"), Panel1);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setMinimumWidth(Label3->fontMetrics().horizontalAdvance(QStringLiteral("0000.0 BPM")) + 4);
  SetHint(Label3, QStringLiteral("Beats Per Minute of looped region"));
  row->addWidget(Label3);

  connect(TrackBar1, &QSlider::valueChanged, this, &TMainForm::TrackBar1Change);
  connect(Edit1, &QLineEdit::textChanged, this, &TMainForm::Edit1Change);
  connect(Edit2, &QLineEdit::textChanged, this, &TMainForm::Edit2Change);
}

void TMainForm::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setFixedHeight(22);
  const int widths[] = {365, kFormatPanelWidth, 90, kZoomPanelWidth};
  const QString texts[] = {QString(), QStringLiteral("No File Loaded"), QString(), QStringLiteral("x1.0")};
  for (int i = 0; i < 4; ++i) {
    StatusPanels[i] = new QLabel(texts[i], bar);
    StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    // The zoom panel grows to show its longest text ("x32.0") in today's fonts.
    const int needed =
        i == 3 ? StatusPanels[i]->fontMetrics().horizontalAdvance(QStringLiteral("x32.0")) + 8 : 0;
    StatusPanels[i]->setFixedWidth(std::max(widths[i], needed));
    StatusPanels[i]->setFrameShape(QFrame::StyledPanel);
    StatusPanels[i]->setFrameShadow(QFrame::Sunken);
    bar->addWidget(StatusPanels[i]);
  }
}

}  // namespace slicewright
