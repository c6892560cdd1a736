#include "document/WaveLoader.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <limits>

#include "document/LargeBuffer.h"
#include "document/LoadMessages.h"
#include "document/Samples.h"
#include "document/WavParser.h"

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

bool AcceptedFormat(const WaveFormat& format) {
  return format.wFormatTag == 1 && format.wBitsPerSample == 16 &&
         (format.nChannels == 1 || format.nChannels == 2) &&
         format.nSamplesPerSec >= static_cast<uint32_t>(LowestSampleRate) &&
         format.nSamplesPerSec <= static_cast<uint32_t>(HighestSampleRate);
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
        return LoadRefusal{RefusalSeverity::Warning, messages::kWaveCorrupted, ConvertibleFormat(path)};
      case WaveCheckResult::WrongFormat:
        return LoadRefusal{
            RefusalSeverity::Warning,
            command == LoadCommand::Reopen ? messages::kIncorrectFormatReopen : messages::kIncorrectFormat,
            ConvertibleFormat(path)};
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

// Reduces interleaved 16-bit stereo to one channel.
void ReduceStereo(Document& doc, StereoChoice choice) {
  const std::vector<uint8_t> stereo = std::move(doc.SampleStream);
  const size_t frames = static_cast<size_t>(doc.DataLength) / 4;
  std::vector<uint8_t> mono;
  ResizeLargeBuffer(mono, frames * 2);
  for (size_t f = 0; f < frames; ++f) {
    const uint8_t* frame = &stereo[4 * f];
    EncodeSample(&mono[2 * f], ReduceFrame(DecodeSample(frame), DecodeSample(frame + 2), choice));
  }
  doc.SampleStream = std::move(mono);
  doc.DataLength = static_cast<int32_t>(frames * 2);
  doc.Channels = 1;
  doc.AvgBytesPerSec = doc.Channels * (doc.BitsPerSample / 8) * doc.SampleRate;
}

void InstallAudio(Document& doc, const std::string& path, FileAudio audio, StereoChoice stereoChoice,
                  std::string sourceFormat) {
  if (doc.HasFile()) CloseDocument(doc);
  doc.Undo.Clear();
  doc.ActivePoints[0].Position = 0;
  doc.SelectedSegment = 1;
  doc.LeftLocatorSegment = 1;
  doc.LoadedFileName = path;
  doc.SourceFormat = std::move(sourceFormat);
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

// Answers the questions with choices made in advance.
class FixedChoice : public LoadQuestions {
 public:
  FixedChoice(StereoChoice choice, Conversion conversion) : choice_(choice), conversion_(conversion) {}
  std::optional<StereoChoice> ChooseChannel() override { return choice_; }
  std::optional<StereoChoice> ConfirmConversion(const SourceFormat&) override {
    if (conversion_ == Conversion::Refuse) return std::nullopt;
    return choice_;
  }

 private:
  StereoChoice choice_;
  Conversion conversion_;
};

// The audio of a converted file as a 16-bit mono WAV would hold it.
FileAudio AsFileAudio(ConvertedAudio converted) {
  FileAudio audio;
  audio.format.wFormatTag = 1;
  audio.format.nChannels = 1;
  audio.format.nSamplesPerSec = static_cast<uint32_t>(converted.source.sampleRate);
  audio.format.nAvgBytesPerSec = 2 * audio.format.nSamplesPerSec;
  audio.format.nBlockAlign = 2;
  audio.format.wBitsPerSample = 16;
  audio.data = std::move(converted.samples);
  return audio;
}

// The refusal message of a file the 16-bit check refuses, or nothing for one
// it accepts. Files it cannot parse throw as the check does.
std::optional<std::string> FormatRefusal(const std::string& path) {
  switch (CheckWaveFile(path)) {
    case WaveCheckResult::Good:
      return std::nullopt;
    case WaveCheckResult::NotRiff:
      return messages::kWaveCorrupted;
    case WaveCheckResult::WrongFormat:
      return messages::kIncorrectFormat;
  }
  return std::nullopt;
}

}  // namespace

void CloseDocument(Document& doc) {
  ResetPointTables(doc);
  doc.Undo.Clear();
  doc.SelectedSegment = 1;
  doc.SegmentSelected = false;
  doc.FileLoaded = false;
  doc.LoadedFileName.clear();
  doc.SourceFormat.clear();
  doc.SampleStream.clear();
  doc.SampleStream.shrink_to_fit();
  doc.Levels.Clear();
  doc.PlayBuffer.clear();
  doc.PlayBuffer.shrink_to_fit();
}

namespace {

// The load behind both entry points; a declined conversion leaves its
// refusal message in `declined`.
bool Load(Document& doc, const std::string& path, LoadQuestions& questions, std::string& declined) {
  if (const std::optional<std::string> refusal = FormatRefusal(path)) {
    const std::optional<SourceFormat> source = ConvertibleFormat(path);
    if (!source) throw EWavParserError(*refusal);
    const std::optional<StereoChoice> choice = questions.ConfirmConversion(*source);
    if (!choice) {
      declined = *refusal;
      return false;
    }
    FileAudio audio = AsFileAudio(ConvertAudio(path, *choice, kMaxDataLength));
    questions.ReplacingDocument();
    InstallAudio(doc, path, std::move(audio), *choice, source->Description());
    return true;
  }
  FileAudio audio = ReadFileAudio(path);
  StereoChoice choice = StereoChoice::Combine;
  if (audio.format.nChannels == 2) {
    const std::optional<StereoChoice> chosen = questions.ChooseChannel();
    if (!chosen) return false;
    choice = *chosen;
  }
  questions.ReplacingDocument();
  InstallAudio(doc, path, std::move(audio), choice, std::string());
  return true;
}

}  // namespace

bool LoadDocument(Document& doc, const std::string& path, LoadQuestions& questions) {
  std::string declined;
  return Load(doc, path, questions, declined);
}

void LoadDocument(Document& doc, const std::string& path, StereoChoice stereoChoice, Conversion conversion) {
  FixedChoice answer(stereoChoice, conversion);
  std::string declined;
  // With every answer given, only a declined conversion stops the load.
  if (!Load(doc, path, answer, declined)) throw EWavParserError(declined);
}

}  // namespace slicewright
