#include "document/gui/ConvertDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/gui/ChannelChoice.h"

namespace slicewright {

ConvertDialog::ConvertDialog(const QString& format, bool stereo, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("ConvertDialog"));
  setWindowTitle(QStringLiteral("Convert Audio File"));
  setModal(true);

  FormatLabel = new QLabel(format, this);
  FormatLabel->setObjectName(QStringLiteral("FormatLabel"));
  auto* question = new QLabel(QStringLiteral("Slicewright edits 16-bit mono audio. Convert it?"), this);
  OkButton = new QPushButton(QStringLiteral("O.K."), this);
  OkButton->setObjectName(QStringLiteral("OkButton"));
  OkButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FormatLabel);
  layout->addWidget(question);
  if (stereo) {
    RadioGroup1 = new ChannelChoice(this);
    layout->addWidget(RadioGroup1);
    OkButton->setEnabled(false);
    connect(RadioGroup1, &ChannelChoice::Chosen, OkButton, [this] { OkButton->setEnabled(true); });
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);
  layout->addLayout(buttons);

  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<StereoChoice> ConvertDialog::Choice() const {
  return RadioGroup1 != nullptr ? RadioGroup1->Choice() : std::optional<StereoChoice>(StereoChoice::Combine);
}

}  // namespace slicewright
