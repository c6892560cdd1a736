#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

#include "TestWaves.h"
#include "document/LoadMessages.h"
#include "document/WavParser.h"
#include "document/WaveLoader.h"

namespace slicewright {
namespace {

using test::Pcm16;
using test::TempDir;

// Writes interleaved samples through libsndfile in the given format.
template <typename Sample>
std::string WriteSound(const TempDir& dir, const std::string& name, int format, int channels, int rate,
                       const std::vector<Sample>& samples) {
  const std::string path = dir.Path(name);
  SF_INFO info{};
  info.format = format;
  info.channels = channels;
  info.samplerate = rate;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  EXPECT_NE(file, nullptr) << name << ": " << sf_strerror(nullptr);
  if (file == nullptr) return path;
  const auto count = static_cast<sf_count_t>(samples.size());
  sf_count_t written = 0;
  // libsndfile stores whole numbers in a float file unscaled unless told to scale them.
  sf_command(file, SFC_SET_SCALE_INT_FLOAT_WRITE, nullptr, SF_TRUE);
  if constexpr (std::is_same_v<Sample, int16_t>) written = sf_write_short(file, samples.data(), count);
  if constexpr (std::is_same_v<Sample, int32_t>) written = sf_write_int(file, samples.data(), count);
  if constexpr (std::is_same_v<Sample, float>) written = sf_write_float(file, samples.data(), count);
  EXPECT_EQ(written, count) << name;
  sf_close(file);
  return path;
}

// Loads with conversion allowed, as --convert and the conversion dialog's O.K. do.
Document Converted(const std::string& path, StereoChoice choice = StereoChoice::Combine) {
  Document doc;
  LoadDocument(doc, path, choice, Conversion::Allow);
  return doc;
}

std::vector<int16_t> EverySampleKind() {
  std::vector<int16_t> samples = test::Noise(3000, 32767, 7);
  samples.insert(samples.end(), {-32768, 32767, 0, -1, 1, -3, 3, -32767});
  return samples;
}

TEST(AudioConversion, SixteenBitMaterialInWiderFormatsComesBackExactly) {
  TempDir dir;
  const std::vector<int16_t> samples = EverySampleKind();
  const struct {
    const char* name;
    int format;
    const char* refusal;
    const char* encoding;
  } stores[] = {
      {"24.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, messages::kIncorrectFormat, "24-bit PCM"},
      {"32.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_32, messages::kIncorrectFormat, "32-bit PCM"},
      {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, messages::kIncorrectFormat, "32-bit float"},
      {"double.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, messages::kIncorrectFormat, "64-bit float"},
      {"x16.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, messages::kIncorrectFormat,
       "16-bit PCM (extensible WAV)"},
      {"x24.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, messages::kIncorrectFormat,
       "24-bit PCM (extensible WAV)"},
      {"16.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, messages::kWaveCorrupted, "16-bit PCM AIFF"},
      {"24.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, messages::kWaveCorrupted, "24-bit PCM AIFF"},
      {"16.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, messages::kWaveCorrupted, "16-bit FLAC"},
      {"24.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, messages::kWaveCorrupted, "24-bit FLAC"},
  };
  for (const auto& store : stores) {
    const std::string path = WriteSound(dir, store.name, store.format, 1, 48000, samples);
    const auto refusal = CheckBeforeLoad(path, LoadCommand::Open);
    ASSERT_TRUE(refusal && refusal->conversion) << store.name;
    EXPECT_EQ(refusal->message, store.refusal) << store.name;
    EXPECT_EQ(refusal->conversion->Description(), std::string(store.encoding) + ", 48000 Hz, mono, 0:00.1");

    const Document doc = Converted(path);
    EXPECT_EQ(doc.SampleStream, Pcm16(samples)) << store.name;
    EXPECT_EQ(doc.DataLength, static_cast<int32_t>(2 * samples.size()));
    EXPECT_EQ(doc.SampleRate, 48000);
    EXPECT_EQ(doc.AvgBytesPerSec, 96000);
    EXPECT_EQ(doc.Channels, 1);
    EXPECT_EQ(doc.BitsPerSample, 16);
    EXPECT_EQ(doc.SourceFormat, refusal->conversion->Description());
    EXPECT_EQ(doc.RightLocatorPos, doc.DataLength);
    EXPECT_TRUE(doc.RescanPending);

    // Without conversion the file is refused as before, and nothing changes.
    Document kept;
    try {
      LoadDocument(kept, path, StereoChoice::Combine);
      ADD_FAILURE() << store.name << " loaded without conversion";
    } catch (const EWavParserError& e) {
      EXPECT_STREQ(e.what(), store.refusal);
    }
    EXPECT_FALSE(kept.HasFile());
  }
}

TEST(AudioConversion, RoundsToTheNearestSixteenBitValueWithHalvesToEvenAndClips) {
  TempDir dir;
  // 24-bit values: a 16-bit step is 256 of them.
  const std::vector<int32_t> wide{128, 384, 129, 255, -128, -384, -129, 0x7FFFFF, -0x800000, 0x7FFF80};
  std::vector<int32_t> shifted;
  for (const int32_t v : wide) shifted.push_back(v * 256);
  EXPECT_EQ(
      Converted(WriteSound(dir, "r.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 8000, shifted)).SampleStream,
      Pcm16({0, 2, 1, 1, 0, -2, -1, 32767, -32768, 32767}));

  const std::vector<float> floats{1.5f, -2.0f, 0.25f, 1.0f / 65536, 3.0f / 65536, -1.0f, 0.99999f, NAN};
  EXPECT_EQ(
      Converted(WriteSound(dir, "r.flt", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 8000, floats)).SampleStream,
      Pcm16({32767, -32768, 8192, 0, 2, -32768, 32767, 0}));
}

TEST(AudioConversion, TwoChannelsAreReducedAsSixteenBitStereoIs) {
  TempDir dir;
  const std::vector<int16_t> frames = EverySampleKind();  // an even count: left, right, left, ...
  const std::string plain = dir.Write("plain.wav", test::Wave(frames, 8000, 2));
  const std::string wide = WriteSound(dir, "wide.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 8000, frames);
  for (const StereoChoice choice : {StereoChoice::Left, StereoChoice::Right, StereoChoice::Combine}) {
    Document expected;
    LoadDocument(expected, plain, choice);
    const Document doc = Converted(wide, choice);
    EXPECT_EQ(doc.SampleStream, expected.SampleStream) << static_cast<int>(choice);
    EXPECT_EQ(doc.AvgBytesPerSec, 16000);
    EXPECT_EQ(doc.Channels, 1);
  }
  // 12.5 seconds of stereo, in words.
  const std::string longer = WriteSound(dir, "long.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 8000,
                                        std::vector<int16_t>(2 * 100000, 5));
  EXPECT_EQ(Converted(longer).SourceFormat, "24-bit PCM, 8000 Hz, stereo, 0:12.5");
}

TEST(AudioConversion, MoreThanTwoChannelsOddRatesAndUnreadableFilesAreNotConvertible) {
  TempDir dir;
  const std::vector<int16_t> six(60, 100);
  const std::string paths[] = {
      WriteSound(dir, "three.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 3, 44100, six),
      dir.Write("three16.wav", test::Wave(six, 44100, 3)),
      WriteSound(dir, "fast.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, 800000, six),
      dir.Write("text.aiff", {'n', 'o', 't', ' ', 'a', 'u', 'd', 'i', 'o'}),
  };
  for (const std::string& path : paths) {
    const auto refusal = CheckBeforeLoad(path, LoadCommand::Open);
    ASSERT_TRUE(refusal) << path;
    EXPECT_FALSE(refusal->conversion) << path;
    Document doc;
    try {
      LoadDocument(doc, path, StereoChoice::Combine, Conversion::Allow);
      ADD_FAILURE() << path << " was converted";
    } catch (const EWavParserError& e) {
      EXPECT_EQ(e.what(), refusal->message);
    }
    EXPECT_FALSE(doc.HasFile());
  }
}

// The window's side: the conversion question replaces the stereo question,
// and its Cancel leaves the open document as it was.
class ScriptedQuestions : public LoadQuestions {
 public:
  std::optional<StereoChoice> answer;
  std::vector<SourceFormat> asked;
  int channelQuestions = 0;
  int replacements = 0;

  std::optional<StereoChoice> ChooseChannel() override {
    ++channelQuestions;
    return StereoChoice::Left;
  }
  std::optional<StereoChoice> ConfirmConversion(const SourceFormat& format) override {
    asked.push_back(format);
    return answer;
  }
  void ReplacingDocument() override { ++replacements; }
};

TEST(AudioConversion, TheQuestionComesFirstAndCancelKeepsTheOpenDocument) {
  TempDir dir;
  const std::string open = dir.Write("open.wav", test::Wave({1, 2, 3}));
  const std::string flac = WriteSound(dir, "s.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, 22050,
                                      std::vector<int16_t>{10, -20, 30, -40});
  Document doc;
  LoadDocument(doc, open, StereoChoice::Combine);

  ScriptedQuestions questions;
  EXPECT_FALSE(LoadDocument(doc, flac, questions));
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(questions.asked[0].channels, 2);
  EXPECT_EQ(questions.asked[0].sampleRate, 22050);
  EXPECT_EQ(questions.replacements, 0);
  EXPECT_EQ(doc.LoadedFileName, open);
  EXPECT_EQ(doc.SampleStream, Pcm16({1, 2, 3}));

  questions.answer = StereoChoice::Right;
  EXPECT_TRUE(LoadDocument(doc, flac, questions));
  EXPECT_EQ(questions.replacements, 1);
  EXPECT_EQ(questions.channelQuestions, 0);
  EXPECT_EQ(doc.LoadedFileName, flac);
  EXPECT_EQ(doc.SampleStream, Pcm16({-20, -40}));
  EXPECT_EQ(doc.SourceFormat, "16-bit FLAC, 22050 Hz, stereo, 0:00.0");

  // A 16-bit WAV loads as it always has; the converted format goes with the old document.
  LoadDocument(doc, open, StereoChoice::Combine);
  EXPECT_EQ(doc.SourceFormat, "");
}

}  // namespace
}  // namespace slicewright
