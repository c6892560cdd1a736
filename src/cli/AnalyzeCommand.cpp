#include "cli/AnalyzeCommand.h"

#include <cstdio>
#include <limits>
#include <string>

#include "cli/Arguments.h"
#include "cli/CliDocument.h"
#include "cli/Json.h"
#include "detect/Sensitivity.h"
#include "detect/SliceDetector.h"

namespace slicewright::cli {
namespace {

void PrintAnalysis(const Document& doc) {
  std::string out;
  out.reserve(64 + static_cast<size_t>(doc.SlicePointCount) * 40);
  char buffer[160];
  std::snprintf(buffer, sizeof buffer,
                "{\"sampleRate\":%d, \"channels\":%u, \"bitsPerSample\":%u, \"avgBytesPerSec\":%d, "
                "\"dataLength\":%d, ",
                doc.SampleRate, doc.Channels, doc.BitsPerSample, doc.AvgBytesPerSec, doc.DataLength);
  out += buffer;
  // The file's own format when it was converted; null for a 16-bit WAV.
  out +=
      "\"sourceFormat\":" + (doc.SourceFormat.empty() ? std::string("null") : JsonString(doc.SourceFormat));
  std::snprintf(buffer, sizeof buffer, ", \"threshold\":%d, \"slicePoints\":[", doc.Threshold);
  out += buffer;
  for (int32_t k = 1; k <= doc.SlicePointCount; ++k) {
    std::snprintf(buffer, sizeof buffer, "%s{\"position\":%d, \"strength\":%d}", k > 1 ? ", " : "",
                  doc.SlicePoints[k].Position, doc.SlicePoints[k].Strength);
    out += buffer;
  }
  out += "], \"activePoints\":[";
  for (int32_t k = 1; k <= doc.ActivePointCount; ++k) {
    std::snprintf(buffer, sizeof buffer, "%s%d", k > 1 ? ", " : "", doc.ActivePoints[k].Position);
    out += buffer;
  }
  out += "]}\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
}

}  // namespace

int RunAnalyze(const std::vector<std::string>& args) {
  const ParsedArguments parsed =
      ParseArguments(args, {kChannelOption, kConvertOption, {"--threshold", true}});
  if (parsed.positional.size() != 1) throw UsageError{"expected exactly one input file"};
  const LoadOptions load = ReadLoadOptions(parsed);
  const int32_t threshold = parsed.Has("--threshold")
                                ? IntegerValue(parsed, "--threshold", std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max())
                                : ThresholdAfterLoad;
  Document doc;
  WarningPrinter warnings;
  LoadAndScan(doc, parsed.positional.front(), load, warnings);
  doc.Threshold = threshold;
  DetectSlicePoints(doc, 0);
  PrintAnalysis(doc);
  return kExitOk;
}

}  // namespace slicewright::cli
