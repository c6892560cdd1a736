#pragma once

#include <QObject>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace slicewright {

class KeyDialogState;
class UpDown;

// The key controls both settings dialogs share, kept in step with their
// key state: the "Base Note" group (note name in large bold type and octave,
// each with its up-down), the "Interval" group, the white-keys box and the
// range warning, which also decides whether O.K. may be pressed.
class KeyControls : public QObject {
  Q_OBJECT
 public:
  KeyControls(QWidget* dialog, KeyDialogState& keys, int intervalStep, const QString& whiteKeysCaption,
              QPushButton* ok);

  // Shows the state: labels, up-down positions, the note and interval
  // controls disabled while white keys are used, then the range check.
  void Show();

  QGroupBox* BaseNoteGroup = nullptr;
  QGroupBox* IntervalGroup = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  UpDown* UpDown1 = nullptr;
  UpDown* UpDown2 = nullptr;
  UpDown* UpDown3 = nullptr;
  QCheckBox* CheckBox2 = nullptr;

 private:
  KeyDialogState& keys_;
  QPushButton* ok_;
};

}  // namespace slicewright
