// The main menu, the waveform's context menu and the tool bars' context menu.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/gui/Hints.h"
#include "app/gui/TMainForm.h"

namespace slicewright {
namespace {

QAction* Item(QMenu* menu, const char* name, const QString& caption, const QString& hint = {},
              const QKeySequence& shortcut = {}, bool enabled = true) {
  auto* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) SetHint(action, hint);
  action->setShortcut(shortcut);
  action->setEnabled(enabled);
  return action;
}

QMenu* Submenu(QWidget* parent, const char* name, const QString& title, const QString& hint = {}) {
  auto* menu = new QMenu(title, parent);
  menu->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) SetHint(menu->menuAction(), hint);
  return menu;
}

}  // namespace

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();

  File1 = Submenu(this, "File1", QStringLiteral("&File"), QStringLiteral("File Menu"));
  bar->addMenu(File1);
  FileOpenItem = Item(File1, "FileOpenItem", QStringLiteral("&Open..."),
                      QStringLiteral("Open a new wave file"), QKeySequence(Qt::CTRL | Qt::Key_O));
  ReOpen1 = Submenu(this, "ReOpen1", QStringLiteral("ReOpen"), QStringLiteral("Reopen a file"));
  File1->addMenu(ReOpen1);
  for (int i = 0; i < RecentFileCount; ++i) {
    SubOpenItems[i] = ReOpen1->addAction(QString());
    SubOpenItems[i]->setObjectName(QStringLiteral("SubOpenItem%1").arg(i + 1));
    SubOpenItems[i]->setVisible(false);
    connect(SubOpenItems[i], &QAction::triggered, this, [this, i] { SubOpenItemClick(i + 1); });
  }
  RevertItem = Item(File1, "RevertItem", QStringLiteral("&Revert"),
                    QStringLiteral("Revert to original sample"), {}, false);
  FileCloseItem = Item(File1, "FileCloseItem", QStringLiteral("C&lose"),
                       QStringLiteral("Close the current file"), {}, false);
  File1->addSeparator();
  SaveSelectItem = Item(File1, "SaveSelectItem", QStringLiteral("Save &Selected Segment"),
                        QStringLiteral("Save currently selected segment to wave file"), {}, false);
  SaveRegionItem = Item(File1, "SaveRegionItem", QStringLiteral("Save Selected Region"),
                        QStringLiteral("Save region defined by locators to wave file"), {}, false);
  SplitMenuItem = Item(File1, "SplitMenuItem", QStringLiteral("Save To &Wave Files"),
                       QStringLiteral("Split sample into separate wave files"),
                       QKeySequence(Qt::CTRL | Qt::Key_W), false);
  File1->addSeparator();
  SaveSFItem =
      Item(File1, "SaveSFItem", QStringLiteral("Save To Sound&Font 2.0"),
           QStringLiteral("Split samples into soundfont file"), QKeySequence(Qt::CTRL | Qt::Key_F), false);
  SaveMidMenuItem = Item(File1, "SaveMidMenuItem", QStringLiteral("Save &Midi Timing Template"),
                         QStringLiteral("Save a midi timing template to a standard midi file"),
                         QKeySequence(Qt::CTRL | Qt::Key_M), false);
  SaveSFM = Item(File1, "SaveSFM", QStringLiteral("Save SoundFont &And Midi Template..."),
                 QStringLiteral("Saves a soundfont and midi file in one operation"),
                 QKeySequence(Qt::CTRL | Qt::Key_B), false);
  SaveSfzItem = Item(File1, "SaveSfzItem", QStringLiteral("Save SF&Z..."),
                     QStringLiteral("Save the slices as an SFZ instrument with its sample files"), {}, false);
  File1->addSeparator();
  Options1 =
      Item(File1, "Options1", QStringLiteral("Opt&ions"), QStringLiteral("Change current program options"));
  File1->addSeparator();
  FileExitItem = Item(File1, "FileExitItem", QStringLiteral("E&xit"), QStringLiteral("Close Slicewright"));

  Edit3 = Submenu(this, "Edit3", QStringLiteral("&Edit"), QStringLiteral("Edit Menu"));
  bar->addMenu(Edit3);
  mnuUndo = Item(Edit3, "mnuUndo", QStringLiteral("&Undo"), QStringLiteral("Undo the last operation"),
                 QKeySequence(Qt::CTRL | Qt::Key_Z), false);
  Edit3->addSeparator();
  mnuCopyAll =
      Item(Edit3, "mnuCopyAll", QStringLiteral("&Copy All"),
           QStringLiteral("Copy entire sample to clipboard"), QKeySequence(Qt::CTRL | Qt::Key_C), false);
  mnuPasteAllKeep = Item(Edit3, "mnuPasteAllKeep", QStringLiteral("Paste All And &Keep"),
                         QStringLiteral("Paste contents of clipboard over sample and keep existing points"),
                         QKeySequence(Qt::CTRL | Qt::Key_K), false);
  mnuPasteNew = Item(Edit3, "mnuPasteNew", QStringLiteral("Paste All And Find &New"),
                     QStringLiteral("Paste contents of clipboard over sample and find new points"),
                     QKeySequence(Qt::CTRL | Qt::Key_V), false);
  Edit3->addSeparator();
  CropRegion1 = Item(Edit3, "CropRegion1", QStringLiteral("C&rop Region"),
                     QStringLiteral("Crop region defined by locators"), {}, false);
  Edit3->addSeparator();
  mnuLockAll = Item(Edit3, "mnuLockAll", QStringLiteral("&Lock All"), QStringLiteral("Lock all points"),
                    QKeySequence(Qt::CTRL | Qt::Key_L), false);
  mnuUnlockAll = Item(Edit3, "mnuUnlockAll", QStringLiteral("&Unlock All"),
                      QStringLiteral("Unlock all points"), QKeySequence(Qt::CTRL | Qt::Key_U), false);

  View1 = Submenu(this, "View1", QStringLiteral("&View"), QStringLiteral("View Menu"));
  bar->addMenu(View1);
  ViewFTItem = Item(View1, "ViewFTItem", QStringLiteral("&File Toolbar"),
                    QStringLiteral("Enable / disable file toolbar"));
  ViewFTItem->setCheckable(true);
  ViewFTItem->setChecked(true);
  ViewETItem = Item(View1, "ViewETItem", QStringLiteral("&Edit Toolbar"),
                    QStringLiteral("Enable / disable edit toolbar"));
  ViewETItem->setCheckable(true);
  ViewETItem->setChecked(true);
  mnuPpanel = Item(View1, "mnuPpanel", QStringLiteral("Play panel at top"),
                   QStringLiteral("Place play transport panel at top or bottom of window"));
  mnuPpanel->setCheckable(true);
  View1->addSeparator();
  ControlPanel1 = Item(View1, "ControlPanel1", QStringLiteral("Soun&dcard Control Panel..."),
                       QStringLiteral("Loads AWE Control Panel"), QKeySequence(Qt::CTRL | Qt::Key_P));

  // The Del and Ins keys belong to menu items that are never shown; the
  // window carries them so that their shortcuts work.
  Keys1 = Submenu(this, "Keys1", QStringLiteral("Keys"));
  Silence1 = Item(Keys1, "Silence1", QStringLiteral("Silence"), {}, QKeySequence(Qt::Key_Delete));
  Reverse1 = Item(Keys1, "Reverse1", QStringLiteral("Reverse"), {}, QKeySequence(Qt::Key_Insert));
  addAction(Silence1);
  addAction(Reverse1);

  Help1 = Submenu(this, "Help1", QStringLiteral("&Help"), QStringLiteral("Help Menu"));
  bar->addMenu(Help1);
  HelpFileItem = Item(Help1, "HelpFileItem", QStringLiteral("&Help (F1)"), QStringLiteral("View help file"));
  h1 = Item(Help1, "h1", QStringLiteral("Visit Kestrel Forge`s homepage"),
            QStringLiteral("Visit the Kestrel Forge homepage (must be connected to Internet)"));
  Help1->addSeparator();
  HelpAboutItem = Item(Help1, "HelpAboutItem", QStringLiteral("&About..."), QStringLiteral("View about box"));

  connect(File1, &QMenu::aboutToShow, this, &TMainForm::UpdateFileMenu);
  connect(FileOpenItem, &QAction::triggered, this, &TMainForm::OpenFile);
  connect(RevertItem, &QAction::triggered, this, &TMainForm::RevertItemClick);
  connect(FileCloseItem, &QAction::triggered, this, &TMainForm::CloseFile);
  connect(FileExitItem, &QAction::triggered, this, &TMainForm::FileExitItemClick);
  connect(ViewFTItem, &QAction::triggered, this, &TMainForm::ViewFTItemClick);
  connect(ViewETItem, &QAction::triggered, this, &TMainForm::ViewETItemClick);
  connect(mnuPpanel, &QAction::triggered, this, &TMainForm::mnuPpanelClick);
}

void TMainForm::BuildPopupMenus() {
  PopupMenu1 = Submenu(this, "PopupMenu1", QString());
  PopUpSave = Item(PopupMenu1, "PopUpSave", QStringLiteral("Save Segment"), {}, {}, false);
  PopupMenu1->addSeparator();
  PopupZin =
      Item(PopupMenu1, "PopupZin", QStringLiteral("Zoom In"), QStringLiteral("Zoom in to sample"), {}, false);
  PopUpZout = Item(PopupMenu1, "PopUpZout", QStringLiteral("Zoom Out"),
                   QStringLiteral("Zoom out of sample segment"), {}, false);
  PopUp11 = Item(PopupMenu1, "PopUp11", QStringLiteral("Zoom (1:1)"), QStringLiteral("Zoom out to full view"),
                 {}, false);
  PopUpZts = Item(PopupMenu1, "PopUpZts", QStringLiteral("Zoom To Segment"),
                  QStringLiteral("Zoom into sample segment"), {}, false);
  PopupMenu1->addSeparator();
  Tools1 = Submenu(this, "Tools1", QStringLiteral("Tools"));
  PopupMenu1->addMenu(Tools1);
  popupSilence = Item(Tools1, "popupSilence", QStringLiteral("Silence"), {}, {}, false);
  PopupRev = Item(Tools1, "PopupRev", QStringLiteral("Reverse"), {}, {}, false);
  PopUpAddCur = Item(PopupMenu1, "PopUpAddCur", QStringLiteral("Add At Current Length"),
                     QStringLiteral("Add a new point at the current sensitivity setting"));
  PopUpAddCur->setCheckable(true);
  Edit4 = Submenu(this, "Edit4", QStringLiteral("Edit"));
  PopupMenu1->addMenu(Edit4);
  CopySegment1 = Item(Edit4, "CopySegment1", QStringLiteral("Copy Segment"));
  PasteIntoSegment2 = Item(Edit4, "PasteIntoSegment2", QStringLiteral("Paste Into Segment"));
  PopupMenu1->addSeparator();
  PopUpPlay = Item(PopupMenu1, "PopUpPlay", QStringLiteral("Play Sample"));

  PopupMenu2 = Submenu(this, "PopupMenu2", QString());
  FilePop = Item(PopupMenu2, "FilePop", QStringLiteral("File"));
  FilePop->setCheckable(true);
  FilePop->setChecked(true);
  EditPop = Item(PopupMenu2, "EditPop", QStringLiteral("Edit"));
  EditPop->setCheckable(true);
  EditPop->setChecked(true);
  connect(FilePop, &QAction::triggered, this, &TMainForm::ViewFTItemClick);
  connect(EditPop, &QAction::triggered, this, &TMainForm::ViewETItemClick);
}

}  // namespace slicewright
