#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

#include "app/gui/Dialogs.h"

namespace slicewright::test {

// Answers every dialog from a script and records what was shown. Without a
// scripted answer a message box gets OK (or No), a file dialog is cancelled
// and the stereo dialog is closed with its close box.
class ScriptedDialogs : public Dialogs {
 public:
  struct Message {
    MessageIcon icon;
    MessageButtons buttons;
    QString text;
  };

  QList<MessageAnswer> messageAnswers;
  QList<std::optional<QString>> openAnswers;
  QList<std::optional<QString>> saveAnswers;
  QList<std::optional<StereoChoice>> stereoAnswers;

  QList<Message> messages;
  QList<FileDialogRequest> openRequests;
  QList<FileDialogRequest> saveRequests;
  int stereoShown = 0;
  // The conversion dialog answers with these in turn (cancelled without one)
  // and records the format it named and whether it asked for a channel.
  QList<std::optional<StereoChoice>> conversionAnswers;
  QList<std::pair<QString, bool>> conversionsShown;
  // The colour dialog answers with these in turn (cancelled without one)
  // and records the colour it was opened with.
  QList<std::optional<Colour>> colourAnswers;
  QList<Colour> colourRequests;

  // Each settings dialog run takes the next script, which works the
  // dialog's controls as a user would and closes it (or leaves it open,
  // which counts as closed without O.K.). Without a script the dialog is
  // closed with its close box.
  QList<std::function<void(QDialog&)>> settingsScripts;
  QStringList settingsShown;  // the titles of the settings dialogs run
  // A script that presses the dialog's O.K. button, if it is enabled.
  static std::function<void(QDialog&)> PressOk();

  QStringList MessageTexts() const;

  MessageAnswer ShowMessage(QWidget* parent, MessageIcon icon, MessageButtons buttons,
                            const QString& text) override;
  std::optional<QString> GetOpenFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> GetSaveFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<StereoChoice> ChooseStereoChannel(QWidget* parent) override;
  std::optional<StereoChoice> ConfirmConversion(QWidget* parent, const QString& format, bool stereo) override;
  std::optional<Colour> ChooseColour(QWidget* parent, Colour initial) override;
  bool RunSettingsDialog(QDialog& dialog) override;
};

}  // namespace slicewright::test
