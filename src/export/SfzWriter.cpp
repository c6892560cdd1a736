#include "export/SfzWriter.h"

#include <algorithm>
#include <filesystem>

#include "export/KeyMapping.h"
#include "export/RegionSlices.h"
#include "export/WaveFileExport.h"
#include "export/WaveImage.h"

namespace slicewright {
namespace {

// A name that holds a line break would end the comment or the sample path
// that shows it.
std::string OneLine(std::string text, char instead = ' ') {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, instead);
  return text;
}

}  // namespace

std::optional<SfzSet> BuildSfz(const Document& doc, const SoundFontSettings& settings,
                               const std::string& sfzFileName) {
  const std::vector<ByteRange> slices = RegionSlices(doc);
  const auto count = static_cast<int32_t>(slices.size());
  if (!RangeCheck(settings.keys, count)) return std::nullopt;

  SfzSet set;
  // The samples lie beside the file that is written, which a link may name.
  const std::filesystem::path target = SaveTarget(sfzFileName);
  const std::string stem = OneLine(target.stem().string(), '_');
  set.folder = (target.parent_path() / (stem + "_samples")).string();
  const std::string folderName = std::filesystem::path(set.folder).filename().string();
  std::string text = "// " + OneLine(settings.bankName) + "\n// " + std::to_string(count) +
                     (count == 1 ? " slice" : " slices") + " of the looped region, one key each\n\n";
  for (int32_t n = 1; n <= count; ++n) {
    const ByteRange& slice = slices[static_cast<size_t>(n - 1)];
    FolderFile sample{stem + PaddedSliceNumber(n, doc.ActivePointCount) + ".wav",
                      BuildWaveImage(doc, slice.start, slice.length)};
    if (settings.smoothEnds) {
      SmoothSliceEnd(sample.bytes.data() + WaveHeaderSize, sample.bytes.size() - WaveHeaderSize);
    }
    const std::string key = std::to_string(SlotKey(settings.keys, n));
    // The sample path comes last: it runs to the end of the line, blanks included.
    text += "<region> lokey=" + key + " hikey=" + key + " pitch_keycenter=" + key +
            " loop_mode=one_shot sample=" + folderName + "/" + sample.name + "\n";
    set.samples.push_back(std::move(sample));
  }
  set.text.assign(text.begin(), text.end());
  return set;
}

SfzResult WriteSfz(const Document& doc, const SoundFontSettings& settings, const std::string& fileName) {
  const std::optional<SfzSet> set = BuildSfz(doc, settings, fileName);
  if (!set) return SfzResult::KeysExceeded;
  return SaveFileWithFolder(fileName, set->text, set->folder, set->samples) ? SfzResult::Saved
                                                                            : SfzResult::SaveFailed;
}

}  // namespace slicewright
