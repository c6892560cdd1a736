#pragma once

#include "app/gui/Dialogs.h"

namespace slicewright {

// The dialogs as the user sees them: Qt message boxes, the file dialogs and
// the stereo import dialog.
class QtDialogs : public Dialogs {
 public:
  MessageAnswer ShowMessage(QWidget* parent, MessageIcon icon, MessageButtons buttons,
                            const QString& text) override;
  std::optional<QString> GetOpenFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<QString> GetSaveFileName(QWidget* parent, const FileDialogRequest& request) override;
  std::optional<StereoChoice> ChooseStereoChannel(QWidget* parent) override;
  std::optional<StereoChoice> ConfirmConversion(QWidget* parent, const QString& format, bool stereo) override;
  std::optional<Colour> ChooseColour(QWidget* parent, Colour initial) override;
  bool RunSettingsDialog(QDialog& dialog) override;
};

}  // namespace slicewright
