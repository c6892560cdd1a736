#include "document/WaveLoader.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <limits>

#include "document/LargeBuffer.h"
#include "document/LoadMessages.h"
#include "document/WavParser.h"
#include "document/Samples.h"

namespace slicewright {
namespace {

constexpr FourCC kWave = MakeFourCC("WAVE");
constexpr FourCC kFmt = MakeFourCC("fmt ");
constexpr FourCC kData = MakeFourCC("data");

// Largest data length the int32 positions of the document can address, in
// whole stereo frames.
constexpr uint64_t kMaxDataLength = (static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) / 4) * 4;

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool StartsWithRiff(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) throw EWavParserError("Cannot open file " + path);
  std::array<char, 4> id{};
  const size_t got = std::fread(id.data(), 1, id.size(), f);
  std::fclose(f);
  return got == 4 && id == std::array<char, 4>{'R', 'I', 'F', 'F'};
}

WaveFormat ReadFormat(TWavParser& parser, const ChunkInfo& riff) {
  const ChunkInfo fmt = parser.FindChunk(kFmt, riff);
  std::array<uint8_t, 16> raw{};
  const size_t got = parser.ReadChunk(fmt, raw);
  return DecodeWaveFormat(std::span<const uint8_t>(raw.data(), got));
}

ChunkInfo FindWaveForm(TWavParser& parser) {
  try {
    return parser.FindRiff(kWave);
  } catch (const EWavParserError&) {
    throw EWavParserError(messages::kInvalidWav);
  }
}

// Rates a recording can mean. A rate of 0 would divide by zero, and one of
// millions stretches the detector windows over the whole file.
constexpr uint32_t kLowestRate = 1;
constexpr uint32_t kHighestRate = 768000;

bool AcceptedFormat(const WaveFormat& format) {
  return format.wFormatTag == 1 && format.wBitsPerSample == 16 && (format.nChannels == 1 || format.nChannels == 2) &&
         format.nSamplesPerSec >= kLowestRate && format.nSamplesPerSec <= kHighestRate;
}

}  // namespace

WaveCheckResult CheckWaveFile(const std::string& path) {
  if (!StartsWithRiff(path)) return WaveCheckResult::NotRiff;
  TWavParser parser;
  parser.SetFileName(path);
  const ChunkInfo riff = FindWaveForm(parser);
  const WaveFormat format = ReadFormat(parser, riff);
  parser.FindChunk(kData, riff);
  return AcceptedFormat(format) ? WaveCheckResult::Good : WaveCheckResult::WrongFormat;
}

std::optional<LoadRefusal> CheckBeforeLoad(const std::string& path, LoadCommand command) {
  if (!FileExists(path)) return LoadRefusal{RefusalSeverity::Warning, messages::kFileNotFound};
  try {
    switch (CheckWaveFile(path)) {
      case WaveCheckResult::Good:
        return std::nullopt;
      case WaveCheckResult::NotRiff:
        return LoadRefusal{RefusalSeverity::Warning, messages::kWaveCorrupted};
      case WaveCheckResult::WrongFormat:
        return LoadRefusal{RefusalSeverity::Warning, command == LoadCommand::Reopen
                                                         ? messages::kIncorrectFormatReopen
                                                         : messages::kIncorrectFormat};
    }
  } catch (const EWavParserError& e) {
    return LoadRefusal{RefusalSeverity::Error, e.what()};
  }
  return std::nullopt;
}

namespace {

// A file's audio as read, before it becomes the document.
struct FileAudio {
  WaveFormat format;
  std::vector<uint8_t> data;
};

FileAudio ReadFileAudio(const std::string& path) {
  FileAudio audio;
  {
    TWavParser parser;
    parser.SetFileName(path);
    const ChunkInfo riff = parser.FindRiff(kWave);
    audio.format = ReadFormat(parser, riff);
    parser.FindChunk(kData, riff);
  }
  TWaveDataExtractor extractor(path);
  audio.data = extractor.ReadData();
  // Keep whole samples only, and whole frames of a stereo file, so that the
  // length always matches what the reduction produces.
  const uint64_t unit = audio.format.nChannels == 2 ? 4 : 2;
  uint64_t length = std::min<uint64_t>(audio.data.size(), kMaxDataLength);
  length -= length % unit;
  audio.data.resize(length);
  return audio;
}

void InstallAudio(Document& doc, const std::string& path, FileAudio audio, StereoChoice stereoChoice) {
  if (doc.HasFile()) CloseDocument(doc);
  doc.Undo.Clear();
  doc.ActivePoints[0].Position = 0;
  doc.SelectedSegment = 1;
  doc.LeftLocatorSegment = 1;
  doc.LoadedFileName = path;
  doc.SampleRate = static_cast<int32_t>(audio.format.nSamplesPerSec);
  doc.AvgBytesPerSec = static_cast<int32_t>(audio.format.nAvgBytesPerSec);
  doc.BitsPerSample = audio.format.wBitsPerSample;
  doc.Channels = audio.format.nChannels;
  doc.DataLength = static_cast<int32_t>(audio.data.size());
  doc.SampleStream = std::move(audio.data);
  doc.ActivePointCount = 0;
  doc.RightLocatorSegment = 1;
  doc.Threshold = ThresholdAfterLoad;
  if (doc.Channels == 2) ReduceStereo(doc, stereoChoice);
  doc.SamplesReplaced();
  doc.LeftLocatorPos = 0;
  doc.RightLocatorPos = doc.DataLength;
  doc.ViewWholeFile();
  doc.FileLoaded = true;
  doc.RescanPending = true;
  doc.PlayBufferStale = true;
  doc.PlayBuffer.clear();
  doc.PlayBufferLength = 0;
  doc.PlayBufferStart = 0;
  doc.WaveImageStale = true;
  ResetPointTables(doc);
}

// Answers the stereo question with a choice made in advance.
class FixedChoice : public LoadQuestions {
 public:
  explicit FixedChoice(StereoChoice choice) : choice_(choice) {}
  std::optional<StereoChoice> ChooseChannel() override { return choice_; }

 private:
  StereoChoice choice_;
};

}  // namespace

void ReduceStereo(Document& doc, StereoChoice choice) {
  const std::vector<uint8_t> stereo = std::move(doc.SampleStream);
  const size_t frames = static_cast<size_t>(doc.DataLength) / 4;
  std::vector<uint8_t> mono;
  ResizeLargeBuffer(mono, frames * 2);
  for (size_t f = 0; f < frames; ++f) {
    const uint8_t* frame = &stereo[4 * f];
    switch (choice) {
      case StereoChoice::Left:
        mono[2 * f] = frame[0];
        mono[2 * f + 1] = frame[1];
        break;
      case StereoChoice::Right:
        mono[2 * f] = frame[2];
        mono[2 * f + 1] = frame[3];
        break;
      case StereoChoice::Combine: {
        // Each half truncates toward zero, so the sum always fits 16 bits.
        const auto sum = static_cast<int16_t>(DecodeSample(frame) / 2 + DecodeSample(frame + 2) / 2);
        EncodeSample(&mono[2 * f], sum);
        break;
      }
    }
  }
  doc.SampleStream = std::move(mono);
  doc.DataLength = static_cast<int32_t>(frames * 2);
  doc.Channels = 1;
  doc.AvgBytesPerSec = doc.Channels * (doc.BitsPerSample / 8) * doc.SampleRate;
}

void CloseDocument(Document& doc) {
  ResetPointTables(doc);
  doc.Undo.Clear();
  doc.SelectedSegment = 1;
  doc.SegmentSelected = false;
  doc.FileLoaded = false;
  doc.LoadedFileName.clear();
  doc.SampleStream.clear();
  doc.SampleStream.shrink_to_fit();
  doc.Levels.Clear();
  doc.PlayBuffer.clear();
  doc.PlayBuffer.shrink_to_fit();
}

bool LoadDocument(Document& doc, const std::string& path, LoadQuestions& questions) {
  FileAudio audio = ReadFileAudio(path);
  StereoChoice choice = StereoChoice::Combine;
  if (audio.format.nChannels == 2) {
    const std::optional<StereoChoice> chosen = questions.ChooseChannel();
    if (!chosen) return false;
    choice = *chosen;
  }
  questions.ReplacingDocument();
  InstallAudio(doc, path, std::move(audio), choice);
  return true;
}

void LoadDocument(Document& doc, const std::string& path, StereoChoice stereoChoice) {
  FixedChoice answer(stereoChoice);
  LoadDocument(doc, path, answer);
}

}  // namespace slicewright
