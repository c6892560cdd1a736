#pragma once

#include <optional>
#include <string>

#include "document/AudioConversion.h"
#include "document/Document.h"
#include "document/StereoReduction.h"

namespace slicewright {

enum class WaveCheckResult { Good = 0, WrongFormat = 1, NotRiff = 2 };

// Checks a file before anything is changed: RIFF id, WAVE form, fmt and data
// chunks, 16-bit PCM, one or two channels, 1 Hz to 768 kHz. Parser failures are thrown as
// EWavParserError ("Invalid WAV" when there is no WAVE form).
WaveCheckResult CheckWaveFile(const std::string& path);

// Which command asks: the reopen items word the format refusal differently.
enum class LoadCommand { Open, Reopen, Revert };

enum class RefusalSeverity { Warning, Error };

struct LoadRefusal {
  RefusalSeverity severity;
  std::string message;
  // Set when the file failed only the 16-bit check (wrong format or not
  // RIFF) and libsndfile can convert it: its format, as ConfirmConversion
  // will be asked about it.
  std::optional<SourceFormat> conversion = std::nullopt;
};

// Runs the checks that every open command runs before it loads; returns the
// refusal to show, or nothing when the file can be loaded.
//
// A refusal with `conversion` set can still be opened by converting it:
//   refusal = CheckBeforeLoad(path, command);
//   if (refusal && !refusal->conversion) show refusal->message;
//   else if (!LoadDocument(doc, path, questions) && refusal) show refusal->message;
// LoadDocument then asks ConfirmConversion instead of ChooseChannel; its
// Cancel leaves the document as it was and the refusal is shown as before.
std::optional<LoadRefusal> CheckBeforeLoad(const std::string& path, LoadCommand command);

// Empties the document as closing a file does.
void CloseDocument(Document& doc);

// What loading asks of whoever loads. An empty answer cancels the load and
// leaves the document as it was.
class LoadQuestions {
 public:
  virtual ~LoadQuestions() = default;
  // A 16-bit stereo file: the channel to keep.
  virtual std::optional<StereoChoice> ChooseChannel() = 0;
  // A file the 16-bit check refuses and libsndfile can read: whether to
  // convert it to 16-bit mono, and for two channels the one to keep (the
  // answer's channel is ignored for one). Nothing declines, as by default.
  virtual std::optional<StereoChoice> ConfirmConversion(const SourceFormat&) { return std::nullopt; }
  // The file is read and every question answered: the document is replaced
  // right after this returns.
  virtual void ReplacingDocument() {}
};

// Reads path and, once the questions are answered, replaces the document
// with it: closes what is open, reduces stereo to the chosen channel, and sets
// view, locators, threshold and flags as a freshly loaded document has them
// (RescanPending set, an empty play buffer that playback sizes when it first
// copies into it). DataLength is the bytes the file really holds, in whole
// samples (whole frames for stereo).
//
// A file the 16-bit check refuses is converted (ConvertAudio) when
// libsndfile can read it and ConfirmConversion agrees: the document is then
// 16-bit mono at the file's rate, with SourceFormat naming the file's own
// format. A refused file that cannot be converted throws EWavParserError
// with the refusal's message (the Open command's wording).
//
// Returns false when a question was cancelled; a file that cannot be read
// throws EWavParserError. Either way the document is untouched.
bool LoadDocument(Document& doc, const std::string& path, LoadQuestions& questions);

// Whether a file the 16-bit check refuses may be converted when the questions
// are answered in advance.
enum class Conversion { Refuse, Allow };

// The same with the questions answered in advance: the channel of a stereo
// file, and whether to convert. With Refuse, a file the 16-bit check refuses
// throws EWavParserError with the refusal's message, as one that cannot be
// converted does; 16-bit files load as they always have.
void LoadDocument(Document& doc, const std::string& path, StereoChoice stereoChoice,
                  Conversion conversion = Conversion::Refuse);

}  // namespace slicewright
