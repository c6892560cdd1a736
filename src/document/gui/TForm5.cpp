#include "document/gui/TForm5.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/gui/ChannelChoice.h"

namespace slicewright {

TForm5::TForm5(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("TForm5"));
  setWindowTitle(QStringLiteral("Import Stereo File"));
  setModal(true);

  RadioGroup1 = new ChannelChoice(this);
  Button1 = new QPushButton(QStringLiteral("O.K."), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setEnabled(false);
  Button1->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RadioGroup1);
  layout->addLayout(buttons);

  connect(RadioGroup1, &ChannelChoice::Chosen, this, [this] { RadioGroup1Click(); });
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm5::RadioGroup1Click() { Button1->setEnabled(true); }

std::optional<StereoChoice> TForm5::Choice() const { return RadioGroup1->Choice(); }

}  // namespace slicewright
