// Refresh, layout of the client area and the panel toggles.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>
#include <algorithm>

#include "app/gui/TMainForm.h"
#include "app/gui/WindowLayout.h"
#include "view/gui/PaintBoxes.h"
#include "view/gui/WaveView.h"

namespace slicewright {

using namespace layout;

void TMainForm::RefreshDocumentView() { view_->RefreshDocumentView(); }

// The smallest window in which every control keeps its room: the transport
// row and the file tool bar at their smallest widths, and beside the tool
// panel a waveform area that still shows a picture under its strip and locators.
void TMainForm::ApplyMinimumSize() {
  constexpr int kSmallestWaveWidth = 160;
  constexpr int kSmallestWaveHeight = 120;
  const int width = std::max({Panel1->layout()->minimumSize().width(),
                              Panel3->layout()->minimumSize().width(), Panel2->width() + kSmallestWaveWidth});
  const int middle = std::max(Panel2->layout()->minimumSize().height(), kSmallestWaveHeight);
  centralWidget()->setMinimumSize(width, kFileToolbarHeight + kBevelHeight + kTransportHeight + middle);
}

// Stacks the panels as they are aligned: tool bar and bevel at the top, the
// transport panel at the top or bottom, the tool panel on the right and the
// waveform panel on the left of what remains.
void TMainForm::AlignPanels() {
  const int width = centralWidget()->width();
  int top = 0;
  int bottom = centralWidget()->height();
  if (!Panel3->isHidden()) {
    Panel3->setGeometry(0, top, width, kFileToolbarHeight);
    top += kFileToolbarHeight;
  }
  if (!Bevel4->isHidden()) {
    Bevel4->setGeometry(0, top, width, kBevelHeight);
    top += kBevelHeight;
  }
  if (panelAtTop_) {
    Panel1->setGeometry(0, top, width, kTransportHeight);
    top += kTransportHeight;
  } else {
    bottom -= kTransportHeight;
    Panel1->setGeometry(0, bottom, width, kTransportHeight);
  }
  const int middle = std::max(bottom - top, 0);
  if (!Panel2->isHidden()) Panel2->setGeometry(width - Panel2->width(), top, Panel2->width(), middle);
  const int wavePanelWidth = Panel2->isHidden() ? width : Panel2->x();
  Panel4->setGeometry(0, top, std::max(wavePanelWidth, 0), middle);
}

// The waveform area, the strip, the scroll bar (while zoomed) and the
// locator buttons inside the waveform panel, above or below as the transport
// panel sits.
void TMainForm::LayOutWaveArea() {
  const int panelHeight = Panel4->height();
  const int scroll = ScrollBar1->isVisibleTo(this) ? kScrollBarHeight : 0;
  PaintBox1->resize(std::max(Panel4->width() - 4, 0), PaintBox1->height());
  PaintBox2->resize(PaintBox1->width(), PaintBox2->height());
  ScrollBar1->resize(PaintBox1->width(), kScrollBarHeight);
  if (panelHeight - 40 - scroll >= 0) PaintBox1->resize(PaintBox1->width(), panelHeight - 40 - scroll);
  if (panelAtTop_) {
    Button19->move(Button19->x(), 2);
    Button21->move(Button21->x(), 2);
    PaintBox2->move(0, Button19->y() + Button21->height() + 2);
    ScrollBar1->move(0, PaintBox2->y() + PaintBox2->height());
    PaintBox1->move(0, PaintBox2->y() + PaintBox2->height() + 1 + scroll);
  } else {
    PaintBox1->move(0, 1);
    PaintBox2->move(0, panelHeight - 38 - scroll);
    ScrollBar1->move(0, panelHeight - 26 - scroll);
    Button19->move(Button19->x(), panelHeight - 24);
    Button21->move(Button21->x(), panelHeight - 24);
  }
  if (doc_.FileLoaded) {
    PlaceLocatorButtons();
  } else {
    PlaceLocatorButtonsAtEnds();
  }
}

void TMainForm::FormResize() {
  if (!Closing) {
    AlignPanels();
    LayOutWaveArea();
  }
  SizeHintPanel();
  doc_.WaveImageStale = true;
  RefreshDocumentView();
}

// The zoom panel may be wider than its designed 20 pixels, and the format
// panel than its 150, to fit their texts; the hint panel gives up that much
// so the panels still fit the window.
void TMainForm::SizeHintPanel() {
  const int growth =
      StatusPanels[3]->width() - kZoomPanelWidth + StatusPanels[1]->width() - kFormatPanelWidth;
  StatusPanels[0]->setFixedWidth(std::max(width() + kWindowFrameWidth - 310 - growth, 0));
}

void TMainForm::ShowFileFormat(const QString& text) {
  StatusPanels[1]->setText(text);
  StatusPanels[1]->setToolTip(text);
  StatusPanels[1]->setFixedWidth(
      std::max(kFormatPanelWidth, StatusPanels[1]->fontMetrics().horizontalAdvance(text) + 8));
  SizeHintPanel();
}

void TMainForm::ViewFTItemClick() {
  fileToolbarChecked_ = !fileToolbarChecked_;
  ViewFTItem->setChecked(fileToolbarChecked_);
  FilePop->setChecked(fileToolbarChecked_);
  Panel3->setVisible(Panel3->isHidden());
  Bevel4->setVisible(Bevel4->isHidden());
  FormResize();
}

void TMainForm::ViewETItemClick() {
  editToolbarChecked_ = !editToolbarChecked_;
  ViewETItem->setChecked(editToolbarChecked_);
  EditPop->setChecked(editToolbarChecked_);
  Panel2->setVisible(Panel2->isHidden());
  FormResize();
}

void TMainForm::mnuPpanelClick() {
  panelAtTop_ = !panelAtTop_;
  mnuPpanel->setChecked(panelAtTop_);
  view_->Display().panelAtTop = panelAtTop_;
  FormResize();
}

void TMainForm::ToggleIcons(bool& shown, QToolButton* button) {
  shown = !shown;
  button->setChecked(shown);
  doc_.WaveImageStale = true;
  RefreshDocumentView();
}

void TMainForm::SpeedButton5Click() { ToggleIcons(view_->Display().showSampleIcons, SpeedButton5); }

void TMainForm::SpeedButton6Click() {
  EraseTrackLineWhileAdding();
  ToggleIcons(view_->Display().showLockIcons, SpeedButton6);
}

void TMainForm::SpeedButton7Click() {
  EraseTrackLineWhileAdding();
  ToggleIcons(view_->Display().showDisabledIcons, SpeedButton7);
}

}  // namespace slicewright
