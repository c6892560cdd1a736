#include <iostream>
#include <string>
#include <vector>

#include "cli/AnalyzeCommand.h"
#include "cli/Arguments.h"
#include "cli/CliDocument.h"

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  slicewright-cli analyze IN.wav [--channel left|right|combine] [--threshold T]\n"
    "  slicewright-cli --help\n"
    "  slicewright-cli --version\n"
    "\n"
    "analyze  finds the slice points of a 16-bit WAV file and prints them as JSON,\n"
    "         with the points that cut the audio at threshold T (default 65536: none).\n"
    "         A stereo file is reduced to one channel first (default: combine).\n"
    "\n"
    "Exit status: 0 done, 2 bad arguments, 3 file refused.\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace slicewright::cli;
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
