#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/CliDocument.h"
#include "export/CreationDate.h"
#include "export/MidiTemplate.h"
#include "export/SoundFontWriter.h"

namespace slicewright::cli {

// The options export and batch share. The outputs (--slices, --region,
// --sf2, --midi, --sfz) are named by export and only chosen by batch, so each
// command adds its own specs for those.
const std::vector<OptionSpec>& ExportSettingOptions();

// Everything an export needs besides the file and the output names, checked
// before any file is read.
struct ExportSettings {
  LoadOptions load;
  int32_t threshold = 0;
  int32_t bars = 1;
  int32_t beats = 0;
  SoundFontSettings font;  // also the SFZ's keys and smoothing
  MidiTemplateSettings midi;
  CalendarDate created;
};

// Reads and checks the shared options; a usage error for anything wrong,
// such as key options without an output that uses them.
ExportSettings ReadExportSettings(const ParsedArguments& parsed);

// The files one export writes, each name as typed: a name without an
// extension gets the output's default one.
struct ExportTargets {
  std::optional<std::string> slices;  // base name of the numbered slice files
  std::optional<std::string> region;
  std::optional<std::string> sf2;
  std::optional<std::string> midi;
  std::optional<std::string> sfz;  // its samples go in a folder beside it
};

// What one export saved, and the messages of the saves that failed.
struct ExportOutcome {
  int32_t sliceCount = 0;
  bool pointLimitReached = false;
  std::vector<std::string> slices;
  std::optional<std::string> region;
  std::optional<std::string> sf2;
  std::optional<std::string> midi;
  std::optional<std::string> sfz;
  std::optional<std::string> sfzFolder;
  std::vector<std::string> failures;

  int Status() const { return failures.empty() ? kExitOk : kExitSaveFailed; }
};

// The one export both commands run: loads and scans the file, selects the
// points of the threshold, places the locators (--left-segment and
// --right-segment when `parsed` has them, else the whole file), computes the
// loop tempo, builds every file and then saves them. A refused file throws
// CommandFailure with status 3; settings the region cannot take (keys beyond
// the keyboard, a template without tempo) status 2, before anything is saved.
// A failed save does not stop the others. Between steps a stop request throws
// Interrupted; the files saved so far stay, each one whole. The warning of a
// scan that reached the point limit is printed when printWarnings is set.
ExportOutcome ExportFile(Document& doc, const std::string& input, const ParsedArguments& parsed,
                         const ExportSettings& settings, const ExportTargets& targets, bool printWarnings);

// The keys of slices 1 .. sliceCount as a JSON array.
std::string KeyList(const KeyMapping& keys, int32_t sliceCount);

}  // namespace slicewright::cli
