#include "cli/CliDocument.h"

#include <iostream>

#include "document/LoadMessages.h"
#include "document/WavParser.h"
#include "document/WaveLoader.h"

namespace slicewright::cli {

std::string PlainLines(const std::string& message) {
  std::string text;
  for (size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n') continue;
    text += message[i];
  }
  return text;
}

void PrintMessage(const std::string& message) {
  std::string text = PlainLines(message);
  if (text.empty() || text.back() != '\n') text += '\n';
  std::cerr << text;
}

void WarningPrinter::PointLimitReached() { PrintMessage(messages::kPointLimit); }

LoadOptions ReadLoadOptions(const ParsedArguments& parsed) {
  LoadOptions options;
  const std::string channel = parsed.Value("--channel").value_or("combine");
  if (channel == "left") {
    options.channel = StereoChoice::Left;
  } else if (channel == "right") {
    options.channel = StereoChoice::Right;
  } else if (channel != "combine") {
    throw UsageError{"--channel takes left, right or combine"};
  }
  options.convert = parsed.Has("--convert");
  return options;
}

void LoadAndScan(Document& doc, const std::string& path, const LoadOptions& options,
                 DetectionObserver& observer) {
  if (const auto refusal = CheckBeforeLoad(path, LoadCommand::Open)) {
    if (!options.convert || !refusal->conversion) throw CommandFailure{kExitRefused, refusal->message};
  }
  try {
    LoadDocument(doc, path, options.channel, options.convert ? Conversion::Allow : Conversion::Refuse);
  } catch (const EWavParserError& e) {
    throw CommandFailure{kExitRefused, e.what()};
  }
  DetectSlicePoints(doc, 0, observer);
}

}  // namespace slicewright::cli
