#include "cli/CliDocument.h"

#include <iostream>

#include "detect/SliceDetector.h"
#include "document/LoadMessages.h"
#include "document/WavParser.h"
#include "document/WaveLoader.h"

namespace slicewright::cli {
namespace {

StereoChoice ChannelChoice(const ParsedArguments& parsed) {
  const std::string channel = parsed.Value("--channel").value_or("combine");
  if (channel == "left") return StereoChoice::Left;
  if (channel == "right") return StereoChoice::Right;
  if (channel == "combine") return StereoChoice::Combine;
  throw UsageError{"--channel takes left, right or combine"};
}

class WarningPrinter : public DetectionObserver {
 public:
  void PointLimitReached() override { PrintMessage(messages::kPointLimit); }
};

}  // namespace

void PrintMessage(const std::string& message) {
  std::string text;
  for (size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n') continue;
    text += message[i];
  }
  if (text.empty() || text.back() != '\n') text += '\n';
  std::cerr << text;
}

void LoadAndScan(Document& doc, const ParsedArguments& parsed) {
  if (parsed.positional.size() != 1) throw UsageError{"expected exactly one input file"};
  const StereoChoice choice = ChannelChoice(parsed);
  const std::string& path = parsed.positional.front();
  if (const auto refusal = CheckBeforeLoad(path, LoadCommand::Open)) {
    throw CommandFailure{kExitRefused, refusal->message};
  }
  try {
    LoadDocument(doc, path, choice);
  } catch (const EWavParserError& e) {
    throw CommandFailure{kExitRefused, e.what()};
  }
  WarningPrinter printer;
  DetectSlicePoints(doc, 0, printer);
}

}  // namespace slicewright::cli
