#include "export/gui/TMidiForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/gui/KeyControls.h"

namespace slicewright {

TMidiForm::TMidiForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("MidiForm"));
  setWindowTitle(QStringLiteral("Select Midi Template Parameters"));
  setModal(true);

  Button1 = new QPushButton(QStringLiteral("O.K."), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button3 = new QPushButton(QStringLiteral("Reset"), this);
  Button3->setObjectName(QStringLiteral("Button3"));
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Keyboard = new KeyControls(this, keys_, 1, QStringLiteral("Use white keys only from C"), Button1);
  CheckBox1 = new QCheckBox(QStringLiteral("Reverse notes in midi file"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

  auto* groups = new QHBoxLayout;
  groups->addWidget(Keyboard->BaseNoteGroup);
  groups->addWidget(Keyboard->IntervalGroup);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button3);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addWidget(Keyboard->CheckBox2);
  layout->addWidget(CheckBox1);
  layout->addWidget(Keyboard->Label4);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Button1, &QPushButton::clicked, this, &TMidiForm::Button1Click);
  connect(Button3, &QPushButton::clicked, this, &TMidiForm::Button3Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  Keyboard->Show();
}

void TMidiForm::FormShow(const Document& doc) {
  keys_.SetRegionPointCount(RegionPointCount(doc));
  Keyboard->Show();
}

bool TMidiForm::Reverse() const { return CheckBox1->isChecked(); }

MidiTemplateSettings TMidiForm::Settings(bool aweFilter) const {
  return {keys_.Mapping(), Reverse(), aweFilter};
}

void TMidiForm::Button1Click() {
  startKey_ = TemplateStartKey(keys_, Reverse());
  accept();
}

void TMidiForm::Button3Click() {
  keys_.Reset();
  Keyboard->Show();
}

}  // namespace slicewright
