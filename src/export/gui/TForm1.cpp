#include "export/gui/TForm1.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

namespace slicewright {

TForm1::TForm1(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Slicewright"));
  setModal(false);

  auto* title = new QLabel(QStringLiteral("Saving Samples..."), this);
  title->setObjectName(QStringLiteral("Label1"));
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  auto* low = new QLabel(QStringLiteral("0 %"), this);
  low->setObjectName(QStringLiteral("Label2"));
  auto* high = new QLabel(QStringLiteral("100%"), this);
  high->setObjectName(QStringLiteral("Label3"));
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setMinimumWidth(240);

  auto* layout = new QGridLayout(this);
  layout->addWidget(title, 0, 0, 1, 3, Qt::AlignHCenter);
  layout->addWidget(low, 1, 0);
  layout->addWidget(ProgressBar1, 1, 1);
  layout->addWidget(high, 1, 2);
  setFixedSize(sizeHint());
}

void TForm1::ShowProgress(int done, int count) {
  ProgressBar1->setValue(count > 0 ? done * 100 / count : 0);
  ProgressBar1->repaint();
}

}  // namespace slicewright
