#include "support/ScriptedDialogs.h"

#include <QDialog>
#include <QPushButton>
#include <QStringList>

namespace slicewright::test {

QStringList ScriptedDialogs::MessageTexts() const {
  QStringList texts;
  for (const Message& message : messages) texts << message.text;
  return texts;
}

MessageAnswer ScriptedDialogs::ShowMessage(QWidget*, MessageIcon icon, MessageButtons buttons,
                                           const QString& text) {
  messages.append({icon, buttons, text});
  if (!messageAnswers.isEmpty()) return messageAnswers.takeFirst();
  return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

std::optional<QString> ScriptedDialogs::GetOpenFileName(QWidget*, const FileDialogRequest& request) {
  openRequests.append(request);
  return openAnswers.isEmpty() ? std::nullopt : openAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::GetSaveFileName(QWidget*, const FileDialogRequest& request) {
  saveRequests.append(request);
  return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.takeFirst();
}

std::optional<StereoChoice> ScriptedDialogs::ChooseStereoChannel(QWidget*) {
  ++stereoShown;
  return stereoAnswers.isEmpty() ? std::nullopt : stereoAnswers.takeFirst();
}

std::optional<StereoChoice> ScriptedDialogs::ConfirmConversion(QWidget*, const QString& format, bool stereo) {
  conversionsShown.append({format, stereo});
  return conversionAnswers.isEmpty() ? std::nullopt : conversionAnswers.takeFirst();
}

std::optional<Colour> ScriptedDialogs::ChooseColour(QWidget*, Colour initial) {
  colourRequests.append(initial);
  return colourAnswers.isEmpty() ? std::nullopt : colourAnswers.takeFirst();
}

std::function<void(QDialog&)> ScriptedDialogs::PressOk() {
  return [](QDialog& dialog) {
    if (auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("Button1"));
        ok != nullptr && ok->isEnabled()) {
      ok->click();
    }
  };
}

bool ScriptedDialogs::RunSettingsDialog(QDialog& dialog) {
  settingsShown.append(dialog.windowTitle());
  dialog.setResult(QDialog::Rejected);
  if (!settingsScripts.isEmpty()) settingsScripts.takeFirst()(dialog);
  return dialog.result() == QDialog::Accepted;
}

}  // namespace slicewright::test
