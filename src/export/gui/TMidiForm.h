#pragma once

#include <QDialog>

#include "document/Document.h"
#include "export/KeyDialogState.h"
#include "export/MidiTemplate.h"

class QCheckBox;
class QPushButton;

namespace slicewright {

class KeyControls;

// "Select Midi Template Parameters": the key of the first slice, the
// interval, white keys only and reverse order of the timing template.
// Keeps its choices while the program runs.
class TMidiForm : public QDialog {
  Q_OBJECT
 public:
  explicit TMidiForm(QWidget* parent = nullptr);

  // Before each showing: the region's slice count from the current
  // locators, then the key and its range check.
  void FormShow(const Document& doc);

  const KeyDialogState& Keys() const { return keys_; }
  bool Reverse() const;
  // Key of the template's first note, fixed by O.K.: the base key, or the
  // last slice's key when the notes are reversed.
  int32_t StartKey() const { return startKey_; }
  MidiTemplateSettings Settings(bool aweFilter) const;

  KeyControls* Keyboard = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;

 private:
  void Button1Click();
  void Button3Click();

  KeyDialogState keys_;
  int32_t startKey_ = DefaultBaseKey;
};

}  // namespace slicewright
