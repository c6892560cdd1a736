#include "export/gui/TForm6.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/gui/KeyControls.h"

namespace slicewright {

TForm6::TForm6(const KeyDialogState& midiKeys, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), midiKeys_(midiKeys) {
  setObjectName(QStringLiteral("Form6"));
  setWindowTitle(QStringLiteral("SoundFont 2.0 settings"));
  setModal(true);

  auto* midiGroup = new QGroupBox(QStringLiteral("Midi File Settings"), this);
  Label16 = new QLabel(midiGroup);
  Label16->setObjectName(QStringLiteral("Label16"));
  Label18 = new QLabel(midiGroup);
  Label18->setObjectName(QStringLiteral("Label18"));
  Label5 = new QLabel(midiGroup);
  Label5->setObjectName(QStringLiteral("Label5"));
  Button4 = new QPushButton(QStringLiteral("Change settings below to match midi file"), midiGroup);
  Button4->setObjectName(QStringLiteral("Button4"));
  auto* midiGrid = new QGridLayout(midiGroup);
  midiGrid->addWidget(new QLabel(QStringLiteral("Base Note:"), midiGroup), 0, 0);
  midiGrid->addWidget(Label16, 0, 1);
  midiGrid->addWidget(new QLabel(QStringLiteral("Interval:"), midiGroup), 0, 2);
  midiGrid->addWidget(Label18, 0, 3);
  midiGrid->addWidget(Label5, 1, 0, 1, 4);
  midiGrid->addWidget(Button4, 2, 0, 1, 4);

  auto* nameGroup = new QGroupBox(QStringLiteral("Bank Name"), this);
  Edit1 = new QLineEdit(QStringLiteral("Slicewright Bank"), nameGroup);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->installEventFilter(this);
  (new QVBoxLayout(nameGroup))->addWidget(Edit1);

  Button1 = new QPushButton(QStringLiteral("O.K."), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button1->setEnabled(false);
  Button2 = new QPushButton(QStringLiteral("Reset"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button3 = new QPushButton(QStringLiteral("Cancel"), this);
  Button3->setObjectName(QStringLiteral("Button3"));
  Keyboard = new KeyControls(this, keys_, 2, QStringLiteral("Use white keys only"), Button1);
  CheckBox1 = new QCheckBox(QStringLiteral("Smooth sample end points"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setChecked(true);

  auto* keyGroups = new QHBoxLayout;
  keyGroups->addWidget(Keyboard->BaseNoteGroup);
  keyGroups->addWidget(Keyboard->IntervalGroup);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(Button3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(midiGroup);
  layout->addWidget(nameGroup);
  layout->addLayout(keyGroups);
  layout->addWidget(Keyboard->CheckBox2);
  layout->addWidget(CheckBox1);
  layout->addWidget(Keyboard->Label4);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button4, &QPushButton::clicked, this, &TForm6::Button4Click);
}

void TForm6::FormShow(const Document& doc) {
  keys_.SetRegionPointCount(RegionPointCount(doc));
  Keyboard->Show();
  Label16->setText(QString::fromStdString(KeyName(midiKeys_.BaseKey())));
  Label18->setText(QString::number(midiKeys_.IntervalPosition()));
  Label5->setText(midiKeys_.WhiteKeys() ? QStringLiteral("Use white keys: yes")
                                        : QStringLiteral("Use white keys: no"));
}

SoundFontSettings TForm6::Settings() const {
  return {Edit1->text().toStdString(), CheckBox1->isChecked(), keys_.Mapping()};
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
  // A double click takes the whole bank name, not one word of it.
  if (watched == Edit1 && event->type() == QEvent::MouseButtonDblClick) {
    Edit1->selectAll();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TForm6::Button2Click() {
  keys_.Reset();
  Keyboard->Show();
}

void TForm6::Button4Click() {
  keys_.MatchKeys(midiKeys_);
  Keyboard->Show();
}

}  // namespace slicewright
