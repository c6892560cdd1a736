#include "app/gui/QtDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "document/gui/ConvertDialog.h"
#include "document/gui/TForm5.h"
#include "view/gui/ViewColour.h"

namespace slicewright {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogRequest& request, bool saving) {
  QFileDialog dialog(parent, request.title, request.folder);
  dialog.setNameFilter(QtNameFilters(request.filter));
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (saving) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  // A file name that is only a pattern ("*.wav") is what the filter already
  // says; a real name is offered as the selection.
  if (!request.fileName.isEmpty() && !request.fileName.contains(QLatin1Char('*'))) {
    dialog.selectFile(request.fileName);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace

MessageAnswer QtDialogs::ShowMessage(QWidget* parent, MessageIcon icon, MessageButtons buttons,
                                     const QString& text) {
  QMessageBox box(BoxIcon(icon), QStringLiteral("Slicewright"), MessageText(text.toStdString()),
                  buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  parent);
  const int answer = box.exec();
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<QString> QtDialogs::GetOpenFileName(QWidget* parent, const FileDialogRequest& request) {
  return RunFileDialog(parent, request, false);
}

std::optional<QString> QtDialogs::GetSaveFileName(QWidget* parent, const FileDialogRequest& request) {
  return RunFileDialog(parent, request, true);
}

std::optional<StereoChoice> QtDialogs::ChooseStereoChannel(QWidget* parent) {
  TForm5 dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

std::optional<StereoChoice> QtDialogs::ConfirmConversion(QWidget* parent, const QString& format,
                                                         bool stereo) {
  ConvertDialog dialog(format, stereo, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

std::optional<Colour> QtDialogs::ChooseColour(QWidget* parent, Colour initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent);
  if (!chosen.isValid()) return std::nullopt;
  return static_cast<Colour>(chosen.blue()) << 16 | static_cast<Colour>(chosen.green()) << 8 |
         static_cast<Colour>(chosen.red());
}

bool QtDialogs::RunSettingsDialog(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

}  // namespace slicewright
