#pragma once

#include <QDialog>

#include "document/Document.h"
#include "export/KeyDialogState.h"
#include "export/SoundFontWriter.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace slicewright {

class KeyControls;

// "SoundFont 2.0 settings": how the region's slices are laid on the keys
// of the bank, smoothing of the slice ends and the bank name. Shows the
// MIDI template dialog's keys and can take them over, so that bank and
// template agree. Keeps its choices while the program runs.
class TForm6 : public QDialog {
  Q_OBJECT
 public:
  // midiKeys are the template dialog's, which outlives this one.
  explicit TForm6(const KeyDialogState& midiKeys, QWidget* parent = nullptr);

  // Before each showing: the region's slice count from the current
  // locators, the key and its range check, and the template's keys.
  void FormShow(const Document& doc);

  const KeyDialogState& Keys() const { return keys_; }
  SoundFontSettings Settings() const;

  KeyControls* Keyboard = nullptr;
  QLabel* Label16 = nullptr;
  QLabel* Label18 = nullptr;
  QLabel* Label5 = nullptr;
  QPushButton* Button4 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Button2Click();
  void Button4Click();

  const KeyDialogState& midiKeys_;
  KeyDialogState keys_;
};

}  // namespace slicewright
