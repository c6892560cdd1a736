// The sensitivity slider and the bars, beats and tempo read-outs.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "app/gui/TMainForm.h"
#include "detect/LoopTempo.h"
#include "detect/Sensitivity.h"
#include "view/LocatorSegments.h"

namespace slicewright {

void TMainForm::TrackBar1Change(int position) {
  doc_.Threshold = ThresholdForSlider(position);
  Label2->setText(QString::fromStdString(SensitivityLabel(doc_.Threshold)));
  doc_.WaveImageStale = true;
  RefreshDocumentView();
  // The locators keep their positions; their segment indexes follow the new
  // active points, so region commands always name the segments L starts and R ends.
  DeriveLocatorSegments(doc_);
  if (doc_.ActivePointCount > 0) PopUpZts->setEnabled(true);
}

void TMainForm::Edit1Change() {
  if (doc_.HasFile()) RefreshLoopTempo();
}

void TMainForm::Edit2Change() {
  if (doc_.HasFile()) RefreshLoopTempo();
}

void TMainForm::RefreshLoopTempo() {
  const LoopTempoUpdate update =
      UpdateLoopTempo(doc_, Edit1->text().toStdString(), Edit2->text().toStdString());
  SaveMidMenuItem->setEnabled(update.templateEnabled);
  SaveSFMB->setEnabled(update.templateEnabled);
  if (update.caption) Label3->setText(QString::fromStdString(*update.caption));
}

}  // namespace slicewright
