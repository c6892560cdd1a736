#include "cli/ExportCommand.h"

#include <cstdio>
#include <string>

#include "cli/Arguments.h"
#include "cli/CliDocument.h"
#include "cli/ExportJob.h"
#include "cli/Json.h"

namespace slicewright::cli {
namespace {

std::vector<OptionSpec> ExportOptions() {
  std::vector<OptionSpec> options = ExportSettingOptions();
  options.insert(options.end(), {{"--left-segment", true},
                                 {"--right-segment", true},
                                 {"--slices", true},
                                 {"--region", true},
                                 {"--sf2", true},
                                 {"--midi", true},
                                 {"--sfz", true}});
  return options;
}

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string Summary(const Document& doc, const ExportSettings& settings, const ExportTargets& targets,
                    const ExportOutcome& outcome) {
  std::string written;
  const auto add = [&](const std::string& key, const std::string& value) {
    written += (written.empty() ? "" : ", ") + JsonString(key) + ":" + value;
  };
  if (targets.slices) {
    std::string files;
    for (const std::string& name : outcome.slices) files += (files.empty() ? "" : ", ") + JsonString(name);
    add("slices", "[" + files + "]");
  }
  if (outcome.region) add("region", JsonString(*outcome.region));
  const std::string fontKeys = KeyList(settings.font.keys, outcome.sliceCount);
  if (outcome.sf2) add("sf2", "{\"file\":" + JsonString(*outcome.sf2) + ", \"keys\":" + fontKeys + "}");
  if (outcome.midi) {
    add("midi", "{\"file\":" + JsonString(*outcome.midi) +
                    ", \"keys\":" + KeyList(settings.midi.keys, outcome.sliceCount) +
                    ", \"reverse\":" + (settings.midi.reverse ? "true" : "false") + "}");
  }
  if (outcome.sfz) {
    add("sfz", "{\"file\":" + JsonString(*outcome.sfz) + ", \"samples\":" + JsonString(*outcome.sfzFolder) +
                   ", \"keys\":" + fontKeys + "}");
  }
  const bool hasTempo = doc.LoopBpm > 0.0 && (doc.LoopBars != 0 || doc.LoopBeats != 0);
  return "{\"threshold\":" + std::to_string(doc.Threshold) +
         ", \"activePointCount\":" + std::to_string(doc.ActivePointCount) +
         ", \"leftLocator\":{\"segment\":" + std::to_string(doc.LeftLocatorSegment) +
         ", \"position\":" + std::to_string(doc.LeftLocatorPos) + "}" +
         ", \"rightLocator\":{\"segment\":" + std::to_string(doc.RightLocatorSegment) +
         ", \"position\":" + std::to_string(doc.RightLocatorPos) + "}" +
         ", \"sliceCount\":" + std::to_string(outcome.sliceCount) +
         ", \"bars\":" + std::to_string(settings.bars) + ", \"beats\":" + std::to_string(settings.beats) +
         ", \"loopBpm\":" + (hasTempo ? Number(doc.LoopBpm) : std::string("null")) + ", \"written\":{" +
         written + "}}\n";
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
  const ParsedArguments parsed = ParseArguments(args, ExportOptions());
  const ExportSettings settings = ReadExportSettings(parsed);
  if (parsed.positional.size() != 1) throw UsageError{"expected exactly one input file"};
  const ExportTargets targets{parsed.Value("--slices"), parsed.Value("--region"), parsed.Value("--sf2"),
                              parsed.Value("--midi"), parsed.Value("--sfz")};

  Document doc;
  const ExportOutcome outcome = ExportFile(doc, parsed.positional.front(), parsed, settings, targets, true);
  for (const std::string& failure : outcome.failures) PrintMessage(failure);
  const std::string out = Summary(doc, settings, targets, outcome);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return outcome.Status();
}

}  // namespace slicewright::cli
