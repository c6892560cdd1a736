#include "export/gui/KeyControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "export/ExportMessages.h"
#include "export/KeyDialogState.h"
#include "export/gui/UpDown.h"

namespace slicewright {
namespace {

QLabel* ValueLabel(QWidget* parent, const char* name, int pointSize) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  QFont font = label->font();
  font.setBold(true);
  font.setPointSize(pointSize);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("C#-2")));
  return label;
}

UpDown* NamedUpDown(QWidget* parent, const char* name, int minimum, int maximum, int step) {
  auto* upDown = new UpDown(minimum, maximum, step, parent);
  upDown->setObjectName(QString::fromLatin1(name));
  return upDown;
}

}  // namespace

KeyControls::KeyControls(QWidget* dialog, KeyDialogState& keys, int intervalStep,
                         const QString& whiteKeysCaption, QPushButton* ok)
    : QObject(dialog), keys_(keys), ok_(ok) {
  BaseNoteGroup = new QGroupBox(QStringLiteral("Base Note"), dialog);
  Label1 = ValueLabel(BaseNoteGroup, "Label1", 18);
  UpDown1 = NamedUpDown(BaseNoteGroup, "UpDown1", 1, 12, 1);
  Label2 = ValueLabel(BaseNoteGroup, "Label2", 12);
  UpDown2 = NamedUpDown(BaseNoteGroup, "UpDown2", 0, KeyDialogState::kHighestOctave, 1);
  auto* baseRow = new QHBoxLayout(BaseNoteGroup);
  for (QWidget* widget : std::initializer_list<QWidget*>{Label1, UpDown1, Label2, UpDown2})
    baseRow->addWidget(widget);

  IntervalGroup = new QGroupBox(QStringLiteral("Interval"), dialog);
  Label3 = ValueLabel(IntervalGroup, "Label3", 12);
  UpDown3 = NamedUpDown(IntervalGroup, "UpDown3", 0, KeyDialogState::kHighestInterval, intervalStep);
  auto* intervalRow = new QHBoxLayout(IntervalGroup);
  intervalRow->addWidget(Label3);
  intervalRow->addWidget(UpDown3);

  CheckBox2 = new QCheckBox(whiteKeysCaption, dialog);
  CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
  Label4 = new QLabel(QString::fromLatin1(messages::kKeysExceeded), dialog);
  Label4->setObjectName(QStringLiteral("Label4"));
  Label4->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
  Label4->hide();

  connect(UpDown1, &UpDown::Clicked, this, [this] {
    keys_.SetNotePosition(UpDown1->Position());
    Show();
  });
  connect(UpDown2, &UpDown::Clicked, this, [this] {
    keys_.SetOctavePosition(UpDown2->Position());
    Show();
  });
  connect(UpDown3, &UpDown::Clicked, this, [this] {
    keys_.SetIntervalPosition(UpDown3->Position());
    Show();
  });
  connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) {
    keys_.SetWhiteKeys(on);
    Show();
  });
}

void KeyControls::Show() {
  UpDown1->SetPosition(keys_.NotePosition());
  UpDown2->SetPosition(keys_.OctavePosition());
  UpDown3->SetPosition(keys_.IntervalPosition());
  Label1->setText(QString::fromStdString(keys_.NoteLabel()));
  Label2->setText(QString::fromStdString(keys_.OctaveLabel()));
  Label3->setText(QString::fromStdString(keys_.IntervalLabel()));
  {
    const QSignalBlocker blocker(CheckBox2);
    CheckBox2->setChecked(keys_.WhiteKeys());
  }
  const bool free = !keys_.WhiteKeys();
  for (QWidget* widget : std::initializer_list<QWidget*>{Label1, UpDown1, Label3, UpDown3})
    widget->setEnabled(free);
  const bool fit = keys_.KeysFit();
  ok_->setEnabled(fit);
  Label4->setVisible(!fit);
}

}  // namespace slicewright
