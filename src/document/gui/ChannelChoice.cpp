#include "document/gui/ChannelChoice.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace slicewright {

ChannelChoice::ChannelChoice(QWidget* parent) : QGroupBox(QStringLiteral("Choose channel:"), parent) {
  setObjectName(QStringLiteral("RadioGroup1"));
  auto* grid = new QGridLayout(this);
  buttons_ = new QButtonGroup(this);
  const QString items[] = {QStringLiteral("Use Left Channel"), QStringLiteral("Use Right Channel"),
                           QStringLiteral("Combine Channels")};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(items[i], this);
    radio->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
    buttons_->addButton(radio, i);
    grid->addWidget(radio, 0, i);
  }
  connect(buttons_, &QButtonGroup::idClicked, this, &ChannelChoice::Chosen);
}

std::optional<StereoChoice> ChannelChoice::Choice() const {
  switch (buttons_->checkedId()) {
    case 0:
      return StereoChoice::Left;
    case 1:
      return StereoChoice::Right;
    case 2:
      return StereoChoice::Combine;
    default:
      return std::nullopt;
  }
}

}  // namespace slicewright
