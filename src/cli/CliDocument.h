#pragma once

#include <string>

#include "cli/Arguments.h"
#include "detect/SliceDetector.h"
#include "document/Document.h"
#include "document/StereoReduction.h"

namespace slicewright::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // out of memory, or the output could not be written
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;
constexpr int kExitSaveFailed = 4;

// A failure with the message to print on stderr and the exit status.
struct CommandFailure {
  int status;
  std::string message;
};

// A message of the program with its "\r\n" as plain line breaks.
std::string PlainLines(const std::string& message);

// Prints a message of the program on stderr, its "\r\n" as line breaks.
void PrintMessage(const std::string& message);

// How a file is read: the channel kept of a stereo file, and whether a file
// the 16-bit check refuses is converted when libsndfile can read it.
struct LoadOptions {
  StereoChoice channel = StereoChoice::Combine;
  bool convert = false;
};

// --channel and --convert.
LoadOptions ReadLoadOptions(const ParsedArguments& parsed);

// Loads and scans the file as the Open command does; a refused file throws
// CommandFailure with status 3 and the message the window would show.
void LoadAndScan(Document& doc, const std::string& path, const LoadOptions& options,
                 DetectionObserver& observer);

// Prints the warning of a scan that reached the point limit.
class WarningPrinter : public DetectionObserver {
 public:
  void PointLimitReached() override;
};

// The options every command that reads a file shares.
inline const OptionSpec kChannelOption{"--channel", true};
inline const OptionSpec kConvertOption{"--convert", false};

}  // namespace slicewright::cli
