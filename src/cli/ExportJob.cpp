#include "cli/ExportJob.h"

#include <charconv>
#include <cstdlib>
#include <limits>

#include "cli/Interrupt.h"
#include "detect/LoopTempo.h"
#include "detect/Sensitivity.h"
#include "detect/SliceDetector.h"
#include "export/ExportMessages.h"
#include "export/FileSave.h"
#include "export/KeyMapping.h"
#include "export/SfzWriter.h"
#include "export/WaveFileExport.h"

namespace slicewright::cli {
namespace {

void RequireOneOf(const ParsedArguments& parsed, const std::vector<std::string>& parents,
                  const std::vector<std::string>& options) {
  for (const std::string& parent : parents) {
    if (parsed.Has(parent)) return;
  }
  std::string needed = parents.front();
  for (size_t i = 1; i < parents.size(); ++i) needed += " or " + parents[i];
  for (const std::string& option : options) {
    if (parsed.Has(option)) throw UsageError{option + " needs " + needed};
  }
}

int32_t ChosenThreshold(const ParsedArguments& parsed) {
  const bool byThreshold = parsed.Has("--threshold");
  if (byThreshold == parsed.Has("--sensitivity"))
    throw UsageError{"give one of --threshold and --sensitivity"};
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

class LimitRecorder : public WarningPrinter {
 public:
  LimitRecorder(bool& reached, bool print) : reached_(reached), print_(print) {}
  void PointLimitReached() override {
    reached_ = true;
    if (print_) WarningPrinter::PointLimitReached();
  }

 private:
  bool& reached_;
  bool print_;
};

// The bank, the template and the SFZ set, built before anything is saved so
// that a refused setting leaves no file half-exported.
struct BuiltFiles {
  std::optional<std::vector<uint8_t>> bank;
  std::optional<std::vector<uint8_t>> midiTemplate;
  std::optional<SfzSet> sfz;
};

BuiltFiles BuildFiles(const Document& doc, const ExportSettings& settings, const ExportTargets& targets) {
  BuiltFiles built;
  if (targets.sf2) {
    built.bank = BuildSoundFont(doc, settings.font, settings.created);
    if (!built.bank) throw CommandFailure{kExitUsage, messages::kKeysExceeded};
  }
  if (targets.midi) {
    TemplateBuild midi = BuildMidiTemplate(doc, settings.midi);
    if (midi.refusal != TemplateRefusal::None) {
      throw CommandFailure{kExitUsage, TemplateRefusalMessage(midi.refusal)};
    }
    built.midiTemplate = std::move(midi.bytes);
  }
  if (targets.sfz) {
    built.sfz = BuildSfz(doc, settings.font, WithDefaultExtension(*targets.sfz, "sfz"));
    if (!built.sfz) throw CommandFailure{kExitUsage, messages::kKeysExceeded};
  }
  return built;
}

void SaveFiles(const Document& doc, const ExportTargets& targets, BuiltFiles& built, ExportOutcome& outcome) {
  const auto save = [&](const std::string& name, const std::vector<uint8_t>& bytes, const char* failure,
                        std::optional<std::string>& saved) {
    ThrowIfStopRequested();
    if (SaveFileReplacing(name, bytes)) {
      saved = name;
    } else {
      outcome.failures.emplace_back(failure);
    }
  };
  if (targets.slices) {
    const auto onEach = [&](const SliceFileResult& r, int32_t, int32_t) {
      if (r.saved) {
        outcome.slices.push_back(r.fileName);
      } else {
        outcome.failures.emplace_back(messages::kWaveSaveError);
      }
      ThrowIfStopRequested();
    };
    WriteSliceFiles(doc, WithDefaultExtension(*targets.slices, "wav"), onEach);
  }
  if (targets.region) {
    ThrowIfStopRequested();
    const std::string name = WaveFileName(WithDefaultExtension(*targets.region, "wav"));
    if (WriteWaveFile(doc, name, doc.LeftLocatorPos, doc.RightLocatorPos - doc.LeftLocatorPos)) {
      outcome.region = name;
    } else {
      outcome.failures.emplace_back(messages::kWaveSaveError);
    }
  }
  if (built.bank)
    save(WithDefaultExtension(*targets.sf2, "sf2"), *built.bank, messages::kSoundFontSaveError, outcome.sf2);
  if (built.midiTemplate) {
    save(WithDefaultExtension(*targets.midi, "mid"), *built.midiTemplate, messages::kMidiSaveError,
         outcome.midi);
  }
  if (built.sfz) {
    ThrowIfStopRequested();
    const std::string name = WithDefaultExtension(*targets.sfz, "sfz");
    if (SaveFileWithFolder(name, built.sfz->text, built.sfz->folder, built.sfz->samples)) {
      outcome.sfz = name;
      outcome.sfzFolder = built.sfz->folder;
    } else {
      outcome.failures.emplace_back(messages::kSfzSaveError);
    }
  }
}

}  // namespace

const std::vector<OptionSpec>& ExportSettingOptions() {
  static const std::vector<OptionSpec> options{kChannelOption,
                                               kConvertOption,
                                               {"--threshold", true},
                                               {"--sensitivity", true},
                                               {"--bars", true},
                                               {"--beats", true},
                                               {"--bank-name", true},
                                               {"--no-smooth", false},
                                               {"--sf2-base-key", true},
                                               {"--sf2-interval", true},
                                               {"--sf2-white-keys", false},
                                               {"--midi-base-key", true},
                                               {"--midi-interval", true},
                                               {"--midi-white-keys", false},
                                               {"--reverse", false},
                                               {"--awe-filter", false}};
  return options;
}

ExportSettings ReadExportSettings(const ParsedArguments& parsed) {
  RequireOneOf(parsed, {"--sf2", "--sfz"},
               {"--bank-name", "--no-smooth", "--sf2-base-key", "--sf2-interval", "--sf2-white-keys"});
  RequireOneOf(parsed, {"--midi"},
               {"--midi-base-key", "--midi-interval", "--midi-white-keys", "--reverse", "--awe-filter"});
  if (!parsed.Has("--slices") && !parsed.Has("--region") && !parsed.Has("--sf2") && !parsed.Has("--midi") &&
      !parsed.Has("--sfz")) {
    throw UsageError{"nothing to export: give --slices, --region, --sf2, --midi or --sfz"};
  }
  for (const char* output : {"--slices", "--region", "--sf2", "--midi", "--sfz"}) {
    if (parsed.Value(output) == std::string()) throw UsageError{std::string(output) + " needs a file name"};
  }
  ExportSettings settings;
  settings.load = ReadLoadOptions(parsed);
  settings.threshold = ChosenThreshold(parsed);
  if (parsed.Has("--bars")) settings.bars = IntegerValue(parsed, "--bars", 0, UINT16_MAX);
  if (parsed.Has("--beats")) settings.beats = IntegerValue(parsed, "--beats", 0, UINT16_MAX);
  settings.font.keys = ChosenKeys(parsed, "--sf2", 2);
  settings.font.smoothEnds = !parsed.Has("--no-smooth");
  settings.font.bankName = parsed.Value("--bank-name").value_or(settings.font.bankName);
  settings.midi.keys = ChosenKeys(parsed, "--midi", 1);
  settings.midi.reverse = parsed.Has("--reverse");
  settings.midi.aweFilter = parsed.Has("--awe-filter");
  settings.created = CreationDay();
  return settings;
}

ExportOutcome ExportFile(Document& doc, const std::string& input, const ParsedArguments& parsed,
                         const ExportSettings& settings, const ExportTargets& targets, bool printWarnings) {
  ExportOutcome outcome;
  LimitRecorder observer(outcome.pointLimitReached, printWarnings);
  ThrowIfStopRequested();
  LoadAndScan(doc, input, settings.load, observer);
  ThrowIfStopRequested();
  doc.Threshold = settings.threshold;
  DetectSlicePoints(doc, 0);
  PlaceLocators(doc, parsed);
  UpdateLoopTempo(doc, std::to_string(settings.bars), std::to_string(settings.beats));
  outcome.sliceCount = RegionPointCount(doc) + 1;

  BuiltFiles built = BuildFiles(doc, settings, targets);
  SaveFiles(doc, targets, built, outcome);
  return outcome;
}

std::string KeyList(const KeyMapping& keys, int32_t sliceCount) {
  std::string list = "[";
  for (int32_t n = 1; n <= sliceCount; ++n) list += (n > 1 ? ", " : "") + std::to_string(SlotKey(keys, n));
  return list + "]";
}

}  // namespace slicewright::cli
