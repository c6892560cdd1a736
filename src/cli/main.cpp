#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/AnalyzeCommand.h"
#include "cli/Arguments.h"
#include "cli/BatchCommand.h"
#include "cli/CliDocument.h"
#include "cli/ExportCommand.h"
#include "cli/Interrupt.h"

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  slicewright-cli analyze IN.wav [--channel left|right|combine] [--convert] [--threshold T]\n"
    "  slicewright-cli export IN.wav [--channel left|right|combine] [--convert]\n"
    "                 (--threshold T | --sensitivity PERCENT)\n"
    "                 [--left-segment A] [--right-segment B] [--bars N] [--beats M]\n"
    "                 [--slices BASE.wav] [--region OUT.wav] [--sf2 OUT.sf2] [--sfz OUT.sfz]\n"
    "                 [--bank-name TEXT] [--no-smooth] [--sf2-base-key K] [--sf2-interval I]\n"
    "                 [--sf2-white-keys]\n"
    "                 [--midi OUT.mid [--midi-base-key K] [--midi-interval I] [--midi-white-keys]\n"
    "                                 [--reverse] [--awe-filter]]\n"
    "  slicewright-cli batch [--jobs N] [--channel C] [--convert] (--threshold T | --sensitivity P)\n"
    "                 [--bars N] [--beats M] [key and bank options as export] --out-dir DIR\n"
    "                 [--slices] [--region] [--sf2] [--midi] [--sfz] INPUT...\n"
    "  slicewright-cli --help\n"
    "  slicewright-cli --version\n"
    "\n"
    "analyze  finds the slice points of a 16-bit WAV file and prints them as JSON,\n"
    "         with the points that cut the audio at threshold T (default 65536: none).\n"
    "         A stereo file is reduced to one channel first (default: combine).\n"
    "         --convert opens other formats too (24-bit and float WAV, AIFF, FLAC,\n"
    "         Ogg, ...: whatever libsndfile reads, one or two channels), rounded to\n"
    "         16 bits; sourceFormat in the JSON then names the file's format.\n"
    "\n"
    "export   cuts the region from the start of segment A (default 1) to the end of\n"
    "         segment B (default the last) at the active points of the threshold, or of\n"
    "         the sensitivity slider at PERCENT, and writes the slices as numbered WAV\n"
    "         files, the region as one WAV file, a SoundFont 2 bank with one key per\n"
    "         slice and a MIDI template that replays the region from that bank at the\n"
    "         tempo of N bars (default 1) and M beats (default 0). Keys start at base\n"
    "         key K (default 48) with I extra keys between slices (default 0; the bank\n"
    "         takes even I only). The bank's creation date honours SOURCE_DATE_EPOCH.\n"
    "         --sfz writes an SFZ instrument on the bank's keys, its slices as WAV\n"
    "         files in OUT_samples/ beside it. Prints a JSON summary of the files written.\n"
    "\n"
    "batch    exports every INPUT file, and every .wav file in INPUT folders and their\n"
    "         subfolders (with --convert also .aif .aiff .flac .ogg), as export would\n"
    "         into DIR/STEM/: STEM1.wav ... (--slices), STEM-region.wav, STEM.sf2,\n"
    "         STEM.mid, STEM.sfz with STEM_samples/. A STEM an earlier file took gets\n"
    "         the folder STEM-2, STEM-3, ... N files run at once (default: one per\n"
    "         core). Prints one JSON line per file in input order: input, status,\n"
    "         folder, points (active), slices, outputs, and message when it failed.\n"
    "         Exits with the highest status among the files, 0 when all succeeded.\n"
    "         Ctrl-C stops at the next step of the files under way, a second at once.\n"
    "\n"
    "Exit status: 0 done, 1 out of memory or the output could not be written,\n"
    "2 bad arguments or settings, 3 file refused, 4 a file could not be saved.\n";

int RunCommand(const std::vector<std::string>& args) {
  using namespace slicewright::cli;
  try {
    if (args.empty()) throw UsageError{"no command given"};
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h") {
      std::cout << kUsage;
      return kExitOk;
    }
    if (command == "--version") {
      std::cout << "slicewright-cli " << SLICEWRIGHT_VERSION << "\n";
      return kExitOk;
    }
    if (command == "analyze") return RunAnalyze(rest);
    if (command == "export") return RunExport(rest);
    if (command == "batch") return RunBatch(rest);
    throw UsageError{"unknown command " + command};
  } catch (const UsageError& e) {
    std::cerr << "slicewright-cli: " << e.message << "\n\n" << kUsage;
    return kExitUsage;
  } catch (const CommandFailure& e) {
    PrintMessage(e.message);
    return e.status;
  } catch (const std::bad_alloc&) {
    std::cerr << "slicewright-cli: out of memory\n";
    return kExitFailed;
  }
}

}  // namespace

int main(int argc, char** argv) {
  slicewright::cli::InstallSignalHandlers();
  const int status = RunCommand(std::vector<std::string>(argv + 1, argv + argc));
  // A summary lost to a full disk or a closed pipe is a failure, not success.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::cerr << "slicewright-cli: the output could not be written\n";
    return std::max(status, slicewright::cli::kExitFailed);
  }
  return status;
}
