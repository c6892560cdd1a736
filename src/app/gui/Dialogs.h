#pragma once

#include <QString>
#include <optional>

#include "app/ColourText.h"
#include "document/WaveLoader.h"

class QDialog;
class QWidget;

namespace slicewright {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// What a file dialog is opened with. The filter is written as pairs of
// description and pattern separated by "|".
struct FileDialogRequest {
  QString title;
  QString filter;
  QString folder;
  QString defaultSuffix;
  QString fileName;
};

// Every message box and file dialog the program shows goes through here, so
// that window behaviour can be driven and checked without a screen.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Texts may hold "\r\n", shown as a line break.
  virtual MessageAnswer ShowMessage(QWidget* parent, MessageIcon icon, MessageButtons buttons,
                                    const QString& text) = 0;
  // The chosen file, or nothing when the dialog was cancelled.
  virtual std::optional<QString> GetOpenFileName(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual std::optional<QString> GetSaveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
  // The channel chosen in the stereo import dialog, or nothing when it was
  // closed without a choice.
  virtual std::optional<StereoChoice> ChooseStereoChannel(QWidget* parent) = 0;
  // The conversion dialog for a file of the given format: the channel to
  // keep (any for one channel) on O.K., nothing on Cancel.
  virtual std::optional<StereoChoice> ConfirmConversion(QWidget* parent, const QString& format,
                                                        bool stereo) = 0;
  // The colour dialog, opened with the colour given; the chosen colour, or
  // nothing when it was cancelled.
  virtual std::optional<Colour> ChooseColour(QWidget* parent, Colour initial) = 0;
  // Runs one of the program's own settings dialogs modally; true when it
  // closed with O.K.
  virtual bool RunSettingsDialog(QDialog& dialog) = 0;
};

// A message as the program words it, with "\r\n" turned into a line break.
QString MessageText(const std::string& text);

// The "|"-separated filter as a Qt name filter list ("*.*" matches any name).
QString QtNameFilters(const QString& filter);

}  // namespace slicewright
