#include "cli/ExportCommand.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "cli/Arguments.h"
#include "cli/CliDocument.h"
#include "cli/Json.h"
#include "detect/LoopTempo.h"
#include "detect/Sensitivity.h"
#include "detect/SliceDetector.h"
#include "export/CreationDate.h"
#include "export/ExportMessages.h"
#include "export/FileSave.h"
#include "export/KeyMapping.h"
#include "export/MidiTemplate.h"
#include "export/SoundFontWriter.h"
#include "export/WaveFileExport.h"

namespace slicewright::cli {
namespace {

const std::vector<OptionSpec> kExportOptions{
    kChannelOption,         {"--threshold", true},      {"--sensitivity", true},     {"--left-segment", true},
    {"--right-segment", true}, {"--bars", true},        {"--beats", true},           {"--slices", true},
    {"--region", true},     {"--sf2", true},            {"--bank-name", true},       {"--no-smooth", false},
    {"--sf2-base-key", true}, {"--sf2-interval", true}, {"--sf2-white-keys", false}, {"--midi", true},
    {"--midi-base-key", true}, {"--midi-interval", true}, {"--midi-white-keys", false}, {"--reverse", false},
    {"--awe-filter", false}};

void RequireParent(const ParsedArguments& parsed, const std::string& parent, const std::vector<std::string>& options) {
  if (parsed.Has(parent)) return;
  for (const std::string& option : options) {
    if (parsed.Has(option)) throw UsageError{option + " needs " + parent};
  }
}

int32_t ChosenThreshold(const ParsedArguments& parsed) {
  const bool byThreshold = parsed.Has("--threshold");
  if (byThreshold == parsed.Has("--sensitivity")) throw UsageError{"give one of --threshold and --sensitivity"};
  if (byThreshold) {
    return IntegerValue(parsed, "--threshold", std::numeric_limits<int32_t>::min(),
                        std::numeric_limits<int32_t>::max());
  }
  const double percent = RealValue(parsed, "--sensitivity");
  if (percent < 0.0 || percent > 100.0) throw UsageError{"--sensitivity takes a percentage from 0 to 100"};
  return ThresholdForSlider(SliderForPercent(percent));
}

// The dialogs' key settings; white keys run from the C of the chosen octave,
// as the dialogs set the note to C and the interval to 0 in that mode.
KeyMapping ChosenKeys(const ParsedArguments& parsed, const std::string& prefix, int32_t intervalStep) {
  KeyMapping keys;
  if (parsed.Has(prefix + "-base-key")) keys.baseKey = IntegerValue(parsed, prefix + "-base-key", 0, 127);
  if (parsed.Has(prefix + "-interval")) {
    keys.interval = IntegerValue(parsed, prefix + "-interval", 0, 12);
    if (keys.interval % intervalStep != 0) {
      throw UsageError{prefix + "-interval takes 0 to 12 in steps of " + std::to_string(intervalStep)};
    }
  }
  keys.whiteKeys = parsed.Has(prefix + "-white-keys");
  if (keys.whiteKeys) {
    keys.baseKey -= keys.baseKey % 12;
    keys.interval = 0;
  }
  return keys;
}

CalendarDate CreationDay() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr || *epoch == '\0') return LocalToday();
  const std::string text = epoch;
  int64_t seconds = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (ec != std::errc{} || ptr != text.data() + text.size() || seconds < 0) {
    throw UsageError{"SOURCE_DATE_EPOCH must be a whole number of seconds"};
  }
  return DateFromEpochSeconds(seconds);
}

void PlaceLocators(Document& doc, const ParsedArguments& parsed) {
  const int32_t last = doc.SegmentCount();
  const int32_t a = parsed.Has("--left-segment") ? IntegerValue(parsed, "--left-segment", 1, last) : 1;
  const int32_t b = parsed.Has("--right-segment") ? IntegerValue(parsed, "--right-segment", 1, last) : last;
  if (a > b) throw UsageError{"--left-segment must not come after --right-segment"};
  doc.LeftLocatorSegment = a;
  doc.RightLocatorSegment = b;
  doc.LeftLocatorPos = doc.SegmentStart(a);
  doc.RightLocatorPos = doc.SegmentEnd(b);
}

std::string KeyList(const KeyMapping& keys, int32_t sliceCount) {
  std::string list = "[";
  for (int32_t n = 1; n <= sliceCount; ++n) list += (n > 1 ? ", " : "") + std::to_string(SlotKey(keys, n));
  return list + "]";
}

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// Collects what was written for the summary and whether any save failed.
struct SaveLog {
  std::string entries;
  bool failed = false;

  void Add(const std::string& key, const std::string& value) {
    entries += (entries.empty() ? "" : ", ") + JsonString(key) + ":" + value;
  }
  void Failed(const char* message) {
    PrintMessage(message);
    failed = true;
  }
  bool Save(const std::string& path, const std::vector<uint8_t>& bytes, const char* failure) {
    if (SaveFileReplacing(path, bytes)) return true;
    Failed(failure);
    return false;
  }
};

// Everything the command line asks for, checked before the file is read.
struct ExportRequest {
  int32_t threshold = 0;
  int32_t bars = 1;
  int32_t beats = 0;
  SoundFontSettings font;
  MidiTemplateSettings midi;
  CalendarDate created;
};

ExportRequest ReadRequest(const ParsedArguments& parsed) {
  RequireParent(parsed, "--sf2",
                {"--bank-name", "--no-smooth", "--sf2-base-key", "--sf2-interval", "--sf2-white-keys"});
  RequireParent(parsed, "--midi",
                {"--midi-base-key", "--midi-interval", "--midi-white-keys", "--reverse", "--awe-filter"});
  if (!parsed.Has("--slices") && !parsed.Has("--region") && !parsed.Has("--sf2") && !parsed.Has("--midi")) {
    throw UsageError{"nothing to export: give --slices, --region, --sf2 or --midi"};
  }
  for (const char* output : {"--slices", "--region", "--sf2", "--midi"}) {
    if (parsed.Value(output) == std::string()) throw UsageError{std::string(output) + " needs a file name"};
  }
  ExportRequest request;
  request.threshold = ChosenThreshold(parsed);
  if (parsed.Has("--bars")) request.bars = IntegerValue(parsed, "--bars", 0, UINT16_MAX);
  if (parsed.Has("--beats")) request.beats = IntegerValue(parsed, "--beats", 0, UINT16_MAX);
  request.font.keys = ChosenKeys(parsed, "--sf2", 2);
  request.font.smoothEnds = !parsed.Has("--no-smooth");
  request.font.bankName = parsed.Value("--bank-name").value_or(request.font.bankName);
  request.midi.keys = ChosenKeys(parsed, "--midi", 1);
  request.midi.reverse = parsed.Has("--reverse");
  request.midi.aweFilter = parsed.Has("--awe-filter");
  request.created = CreationDay();
  return request;
}

// The bank and the template, built before anything is saved so that a refused
// setting leaves no file half-exported.
struct BuiltFiles {
  std::optional<std::vector<uint8_t>> bank;
  std::optional<std::vector<uint8_t>> midiTemplate;
};

BuiltFiles BuildFiles(const Document& doc, const ParsedArguments& parsed, const ExportRequest& request) {
  BuiltFiles built;
  if (parsed.Has("--sf2")) {
    built.bank = BuildSoundFont(doc, request.font, request.created);
    if (!built.bank) throw CommandFailure{kExitUsage, messages::kKeysExceeded};
  }
  if (parsed.Has("--midi")) {
    TemplateBuild midi = BuildMidiTemplate(doc, request.midi);
    if (midi.refusal != TemplateRefusal::None) {
      throw CommandFailure{kExitUsage, TemplateRefusalMessage(midi.refusal)};
    }
    built.midiTemplate = std::move(midi.bytes);
  }
  return built;
}

SaveLog SaveFiles(const Document& doc, const ParsedArguments& parsed, const ExportRequest& request,
                  const BuiltFiles& built, int32_t sliceCount) {
  SaveLog log;
  if (const auto base = parsed.Value("--slices")) {
    const auto onEach = [&](const SliceFileResult& r, int32_t, int32_t) {
      if (!r.saved) log.Failed(messages::kWaveSaveError);
    };
    std::string files;
    for (const SliceFileResult& r : WriteSliceFiles(doc, WithDefaultExtension(*base, "wav"), onEach)) {
      if (r.saved) files += (files.empty() ? "" : ", ") + JsonString(r.fileName);
    }
    log.Add("slices", "[" + files + "]");
  }
  if (const auto region = parsed.Value("--region")) {
    const std::string name = WaveFileName(WithDefaultExtension(*region, "wav"));
    if (WriteWaveFile(doc, name, doc.LeftLocatorPos, doc.RightLocatorPos - doc.LeftLocatorPos)) {
      log.Add("region", JsonString(name));
    } else {
      log.Failed(messages::kWaveSaveError);
    }
  }
  if (built.bank) {
    const std::string name = WithDefaultExtension(*parsed.Value("--sf2"), "sf2");
    if (log.Save(name, *built.bank, messages::kSoundFontSaveError)) {
      log.Add("sf2", "{\"file\":" + JsonString(name) + ", \"keys\":" + KeyList(request.font.keys, sliceCount) + "}");
    }
  }
  if (built.midiTemplate) {
    const std::string name = WithDefaultExtension(*parsed.Value("--midi"), "mid");
    if (log.Save(name, *built.midiTemplate, messages::kMidiSaveError)) {
      log.Add("midi", "{\"file\":" + JsonString(name) + ", \"keys\":" + KeyList(request.midi.keys, sliceCount) +
                          ", \"reverse\":" + (request.midi.reverse ? "true" : "false") + "}");
    }
  }
  return log;
}

std::string Summary(const Document& doc, const ExportRequest& request, int32_t sliceCount, const SaveLog& log) {
  const bool hasTempo = doc.LoopBpm > 0.0 && (doc.LoopBars != 0 || doc.LoopBeats != 0);
  return "{\"threshold\":" + std::to_string(doc.Threshold) +
         ", \"activePointCount\":" + std::to_string(doc.ActivePointCount) +
         ", \"leftLocator\":{\"segment\":" + std::to_string(doc.LeftLocatorSegment) +
         ", \"position\":" + std::to_string(doc.LeftLocatorPos) + "}" +
         ", \"rightLocator\":{\"segment\":" + std::to_string(doc.RightLocatorSegment) +
         ", \"position\":" + std::to_string(doc.RightLocatorPos) + "}" +
         ", \"sliceCount\":" + std::to_string(sliceCount) + ", \"bars\":" + std::to_string(request.bars) +
         ", \"beats\":" + std::to_string(request.beats) +
         ", \"loopBpm\":" + (hasTempo ? Number(doc.LoopBpm) : std::string("null")) + ", \"written\":{" +
         log.entries + "}}\n";
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
  const ParsedArguments parsed = ParseArguments(args, kExportOptions);
  const ExportRequest request = ReadRequest(parsed);

  Document doc;
  LoadAndScan(doc, parsed);
  doc.Threshold = request.threshold;
  DetectSlicePoints(doc, 0);
  PlaceLocators(doc, parsed);
  UpdateLoopTempo(doc, std::to_string(request.bars), std::to_string(request.beats));
  const int32_t sliceCount = RegionPointCount(doc) + 1;

  const BuiltFiles built = BuildFiles(doc, parsed, request);
  const SaveLog log = SaveFiles(doc, parsed, request, built, sliceCount);
  const std::string out = Summary(doc, request, sliceCount, log);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return log.failed ? kExitSaveFailed : kExitOk;
}

}  // namespace slicewright::cli
