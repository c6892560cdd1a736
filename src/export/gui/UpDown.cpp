#include "export/gui/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace slicewright {

UpDown::UpDown(int minimum, int maximum, int step, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), step_(step), position_(minimum) {
  UpButton = new QToolButton(this);
  UpButton->setObjectName(QStringLiteral("Up"));
  UpButton->setArrowType(Qt::UpArrow);
  UpButton->setAutoRepeat(true);
  DownButton = new QToolButton(this);
  DownButton->setObjectName(QStringLiteral("Down"));
  DownButton->setArrowType(Qt::DownArrow);
  DownButton->setAutoRepeat(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(UpButton);
  layout->addWidget(DownButton);
  connect(UpButton, &QToolButton::clicked, this, [this] { StepBy(1); });
  connect(DownButton, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void UpDown::SetPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void UpDown::StepBy(int steps) {
  SetPosition(position_ + steps * step_);
  emit Clicked();
}

}  // namespace slicewright
