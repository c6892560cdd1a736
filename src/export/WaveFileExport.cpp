#include "export/WaveFileExport.h"

#include <filesystem>

#include "export/FileSave.h"
#include "export/RegionSlices.h"
#include "export/WaveImage.h"

namespace slicewright {
namespace {

std::string WithoutLastFour(const std::string& name) {
  return name.substr(0, name.size() > 4 ? name.size() - 4 : 0);
}

}  // namespace

bool WriteWaveFile(const Document& doc, const std::string& fileName, int32_t start, int32_t length) {
  return SaveFileReplacing(fileName, BuildWaveImage(doc, start, length));
}

std::string WithDefaultExtension(const std::string& fileName, const std::string& extension) {
  if (std::filesystem::path(fileName).has_extension()) return fileName;
  return fileName + "." + extension;
}

std::string WaveFileName(const std::string& chosenName) { return WithoutLastFour(chosenName) + ".wav"; }

std::string PaddedSliceNumber(int32_t n, int32_t activePointCount) {
  const size_t width = std::to_string(int64_t{activePointCount} + 1).size();
  std::string digits = std::to_string(n);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string SliceFileName(const std::string& chosenName, int32_t n, int32_t activePointCount) {
  return WithoutLastFour(chosenName) + PaddedSliceNumber(n, activePointCount) + ".wav";
}

std::vector<SliceFileResult> WriteSliceFiles(
    const Document& doc, const std::string& chosenName,
    const std::function<void(const SliceFileResult&, int32_t n, int32_t count)>& afterEach) {
  const std::vector<ByteRange> slices = RegionSlices(doc);
  const auto count = static_cast<int32_t>(slices.size());
  std::vector<SliceFileResult> results;
  for (int32_t n = 1; n <= count; ++n) {
    const ByteRange& slice = slices[static_cast<size_t>(n - 1)];
    SliceFileResult result{SliceFileName(chosenName, n, doc.ActivePointCount), false};
    result.saved = WriteWaveFile(doc, result.fileName, slice.start, slice.length);
    if (afterEach) afterEach(result, n, count);
    results.push_back(std::move(result));
  }
  return results;
}

}  // namespace slicewright
