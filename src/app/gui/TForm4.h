#pragma once

#include <QDialog>
#include <QImage>
#include <array>

#include "app/Configuration.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace slicewright {

class Dialogs;
class PreviewBox;

// "Program Options": the display colours, edited on a working copy and shown
// on a small preview, the sound control program and the AWE filter option.
// Nothing reaches the settings before O.K.
class TForm4 : public QDialog {
  Q_OBJECT
 public:
  TForm4(Dialogs& dialogs, Settings& settings, QWidget* parent = nullptr);

  // The colours being edited, in the order of the combo box items.
  std::array<Colour, 5> WorkingColours{};
  // The preview as last drawn.
  const QImage& OptionsPreview() const { return optionsPreview_; }

  // Each opening starts again from the settings: the controls, then the
  // working colours and the preview.
  void FormShow();
  void FormActivate();
  void PageControl1Change();
  void ComboBox1Change();
  void Button3Click();
  void Button1Click();
  void Button4Click();

  QTabWidget* Tabsheep = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* Button4 = nullptr;
  PreviewBox* PaintBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QFrame* Panel1 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

 private:
  QWidget* BuildPreferencesPage();
  QWidget* BuildColoursPage();
  void DrawPreview();
  void ShowSwatch();

  Dialogs& dialogs_;
  Settings& settings_;
  QImage optionsPreview_;
  // The colour dialog opens with the colour it gave last time.
  Colour lastChosenColour_ = 0x000000;
};

// The preview box: shows the picture it is given.
class PreviewBox : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  void SetPicture(const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace slicewright
