#include "app/gui/TForm2.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "app/gui/ProgramIcon.h"

namespace slicewright {
namespace {

QLabel* Text(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignHCenter);
  label->setWordWrap(true);
  return label;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("About"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setCursor(Qt::PointingHandCursor);

  ProgramIcon = new QLabel(this);
  ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
  ProgramIcon->setAlignment(Qt::AlignHCenter);
  ProgramIcon->setPixmap(slicewright::ProgramIcon().pixmap(QSize(64, 64), devicePixelRatioF()));
  ProductName = Text(this, "ProductName", QStringLiteral("<b><big>Slicewright</big></b>"));
  Version = Text(this, "Version", QStringLiteral("Version %1").arg(QStringLiteral(SLICEWRIGHT_VERSION)));
  Comments =
      Text(this, "Comments",
           QStringLiteral("Cuts drum loops into slices and saves them as wave files, as a SoundFont bank "
                          "and as a MIDI timing template that plays them back in time."));
  Copyright = Text(this, "Copyright", QStringLiteral("Kestrel Forge Software"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 24, 24, 24);
  layout->setSpacing(10);
  for (QLabel* label : {ProgramIcon, ProductName, Version, Comments, Copyright}) {
    layout->addWidget(label);
    // A click on a label or the picture closes the box too.
    label->installEventFilter(this);
  }
  setFixedWidth(340);
}

void TForm2::mousePressEvent(QMouseEvent*) { accept(); }

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace slicewright
