// A WAV file as it comes from disk: the checks every open command runs, then
// the load with each stereo choice and detection. A file the 16-bit check
// refuses but libsndfile reads goes through the conversion instead.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "document/WavParser.h"
#include "document/WaveLoader.h"

using namespace slicewright;

namespace {

// The input as a file the loader opens by name, kept in memory.
const std::string& InputFile(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("fuzz.wav", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  FUZZ_CHECK(fd >= 0 && ftruncate(fd, 0) == 0);
  FUZZ_CHECK(pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = InputFile(data, size);
  const std::optional<LoadRefusal> refusal = CheckBeforeLoad(path, LoadCommand::Open);
  if (refusal && !refusal->conversion) return 0;
  const bool stereo = refusal ? refusal->conversion->channels == 2
                              : DecodeWaveFormat(TWaveFormatExtractor(path).ReadData()).nChannels == 2;
  for (const StereoChoice choice : {StereoChoice::Combine, StereoChoice::Left, StereoChoice::Right}) {
    Document doc;
    try {
      LoadDocument(doc, path, choice, refusal ? Conversion::Allow : Conversion::Refuse);
    } catch (const EWavParserError&) {
      return 0;  // refused with the loader's message, as the open commands show it
    }
    if (refusal) {
      // Whatever the source, the document holds 16-bit mono at a rate it can mean.
      FUZZ_CHECK(doc.Channels == 1 && doc.BitsPerSample == 16 && !doc.SourceFormat.empty());
      FUZZ_CHECK(doc.SampleRate >= LowestSampleRate && doc.SampleRate <= HighestSampleRate);
      FUZZ_CHECK(doc.AvgBytesPerSec == 2 * doc.SampleRate);
    }
    // Some points selected, as after a move of the sensitivity slider.
    doc.Threshold = 0;
    DetectSlicePoints(doc, fuzz::kViewWidth);
    fuzz::CheckDocument(doc);
    if (!stereo) break;
  }
  return 0;
}
