#pragma once

#include <string>

#include "cli/Arguments.h"
#include "document/Document.h"

namespace slicewright::cli {

constexpr int kExitOk = 0;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;
constexpr int kExitSaveFailed = 4;

// A failure with the message to print on stderr and the exit status.
struct CommandFailure {
  int status;
  std::string message;
};

// Prints a message of the program on stderr, its "\r\n" as line breaks.
void PrintMessage(const std::string& message);

// Loads and scans the file named by the first positional argument as the
// Open command does; a refused file throws CommandFailure with status 3.
void LoadAndScan(Document& doc, const ParsedArguments& parsed);

// The options every command that reads a file shares.
inline const OptionSpec kChannelOption{"--channel", true};

}  // namespace slicewright::cli
