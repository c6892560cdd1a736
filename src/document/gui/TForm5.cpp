#include "document/gui/TForm5.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace slicewright {

TForm5::TForm5(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("TForm5"));
  setWindowTitle(QStringLiteral("Import Stereo File"));
  setModal(true);

  auto* box = new QGroupBox(QStringLiteral("Choose channel:"), this);
  box->setObjectName(QStringLiteral("RadioGroup1"));
  auto* grid = new QGridLayout(box);
  RadioGroup1 = new QButtonGroup(this);
  const QString items[] = {QStringLiteral("Use Left Channel"), QStringLiteral("Use Right Channel"),
                           QStringLiteral("Combine Channels")};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(items[i], box);
    radio->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
    RadioGroup1->addButton(radio, i);
    grid->addWidget(radio, 0, i);
  }

  Button1 = new QPushButton(QStringLiteral("O.K."), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setEnabled(false);
  Button1->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addLayout(buttons);

  connect(RadioGroup1, &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); });
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm5::RadioGroup1Click() { Button1->setEnabled(true); }

std::optional<StereoChoice> TForm5::Choice() const {
  switch (RadioGroup1->checkedId()) {
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
