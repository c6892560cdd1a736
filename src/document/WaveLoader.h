#pragma once

#include <optional>
#include <string>

#include "document/Document.h"

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
};

// Runs the checks that every open command runs before it loads; returns the
// refusal to show, or nothing when the file can be loaded.
std::optional<LoadRefusal> CheckBeforeLoad(const std::string& path, LoadCommand command);

enum class StereoChoice { Left, Right, Combine };

// Reduces interleaved 16-bit stereo to one channel.
void ReduceStereo(Document& doc, StereoChoice choice);

// Empties the document as closing a file does.
void CloseDocument(Document& doc);

// What loading asks of whoever loads. An empty answer cancels the load and
// leaves the document as it was.
class LoadQuestions {
 public:
  virtual ~LoadQuestions() = default;
  // A 16-bit stereo file: the channel to keep.
  virtual std::optional<StereoChoice> ChooseChannel() = 0;
  // The file is read and every question answered: the document is replaced
  // right after this returns.
  virtual void ReplacingDocument() {}
};

// Reads path and, once the questions are answered, replaces the document
// with it: closes what is open, reduces stereo to the chosen channel, and sets
// view, locators, threshold and flags as a freshly loaded document has them
// (RescanPending set, an empty play buffer that playback sizes when it first
// copies into it). DataLength is the bytes the file really holds, in whole
// samples (whole frames for stereo). Returns false when a question was
// cancelled; a file that cannot be read throws EWavParserError. Either way
// the document is untouched.
bool LoadDocument(Document& doc, const std::string& path, LoadQuestions& questions);

// The same with the stereo question answered in advance.
void LoadDocument(Document& doc, const std::string& path, StereoChoice stereoChoice);

}  // namespace slicewright
