#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/AnalyzeCommand.h"
#include "cli/Arguments.h"
#include "cli/CliDocument.h"
#include "cli/ExportCommand.h"
#include "export/FileSave.h"

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  slicewright-cli analyze IN.wav [--channel left|right|combine] [--threshold T]\n"
    "  slicewright-cli export IN.wav [--channel left|right|combine] (--threshold T | --sensitivity PERCENT)\n"
    "                 [--left-segment A] [--right-segment B] [--bars N] [--beats M]\n"
    "                 [--slices BASE.wav] [--region OUT.wav]\n"
    "                 [--sf2 OUT.sf2 [--bank-name TEXT] [--no-smooth] [--sf2-base-key K]\n"
    "                                [--sf2-interval I] [--sf2-white-keys]]\n"
    "                 [--midi OUT.mid [--midi-base-key K] [--midi-interval I] [--midi-white-keys]\n"
    "                                 [--reverse] [--awe-filter]]\n"
    "  slicewright-cli --help\n"
    "  slicewright-cli --version\n"
    "\n"
    "analyze  finds the slice points of a 16-bit WAV file and prints them as JSON,\n"
    "         with the points that cut the audio at threshold T (default 65536: none).\n"
    "         A stereo file is reduced to one channel first (default: combine).\n"
    "\n"
    "export   cuts the region from the start of segment A (default 1) to the end of\n"
    "         segment B (default the last) at the active points of the threshold, or of\n"
    "         the sensitivity slider at PERCENT, and writes the slices as numbered WAV\n"
    "         files, the region as one WAV file, a SoundFont 2 bank with one key per\n"
    "         slice and a MIDI template that replays the region from that bank at the\n"
    "         tempo of N bars (default 1) and M beats (default 0). Keys start at base\n"
    "         key K (default 48) with I extra keys between slices (default 0; the bank\n"
    "         takes even I only). The bank's creation date honours SOURCE_DATE_EPOCH.\n"
    "         Prints a JSON summary of the files written.\n"
    "\n"
    "Exit status: 0 done, 2 bad arguments or settings, 3 file refused, 4 a file\n"
    "could not be saved.\n";

// An interrupted save leaves no temporary file; the signal then ends the
// program as it would have.
void RemoveTemporariesAndEnd(int signalNumber) {
  slicewright::RemovePendingTemporaryFiles();
  std::signal(signalNumber, SIG_DFL);
  std::raise(signalNumber);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace slicewright::cli;
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) std::signal(signalNumber, RemoveTemporariesAndEnd);
  const std::vector<std::string> args(argv + 1, argv + argc);
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
    throw UsageError{"unknown command " + command};
  } catch (const UsageError& e) {
    std::cerr << "slicewright-cli: " << e.message << "\n\n" << kUsage;
    return kExitUsage;
  } catch (const CommandFailure& e) {
    PrintMessage(e.message);
    return e.status;
  } catch (const std::bad_alloc&) {
    std::cerr << "slicewright-cli: out of memory\n";
    return 1;
  }
}
