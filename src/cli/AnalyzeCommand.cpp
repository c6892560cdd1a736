#include "cli/AnalyzeCommand.h"

#include <cstdio>
#include <limits>
#include <string>

#include "cli/Arguments.h"
#include "cli/CliDocument.h"
#include "detect/SliceDetector.h"
#include "detect/Sensitivity.h"

namespace slicewright::cli {
namespace {

void PrintAnalysis(const Document& doc) {
  std::string out;
  out.reserve(64 + static_cast<size_t>(doc.SlicePointCount) * 40);
  char buffer[160];
  std::snprintf(buffer, sizeof buffer,
                "{\"sampleRate\":%d, \"channels\":%u, \"bitsPerSample\":%u, \"avgBytesPerSec\":%d, "
                "\"dataLength\":%d, \"threshold\":%d, \"slicePoints\":[",
                doc.SampleRate, doc.Channels, doc.BitsPerSample, doc.AvgBytesPerSec, doc.DataLength,
                doc.Threshold);
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
  const ParsedArguments parsed = ParseArguments(args, {kChannelOption, {"--threshold", true}});
  const int32_t threshold =
      parsed.Has("--threshold")
          ? IntegerValue(parsed, "--threshold", std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max())
          : ThresholdAfterLoad;
  Document doc;
  LoadAndScan(doc, parsed);
  doc.Threshold = threshold;
  DetectSlicePoints(doc, 0);
  PrintAnalysis(doc);
  return kExitOk;
}

}  // namespace slicewright::cli
