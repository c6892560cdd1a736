#include "document/AudioConversion.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "document/Document.h"
#include "document/LargeBuffer.h"
#include "document/LoadMessages.h"
#include "document/Rounding.h"
#include "document/Samples.h"
#include "document/WavParser.h"

namespace slicewright {
namespace {

class SoundFile {
 public:
  explicit SoundFile(const std::string& path) : file_(sf_open(path.c_str(), SFM_READ, &info_)) {}
  ~SoundFile() {
    if (file_ != nullptr) sf_close(file_);
  }
  SoundFile(const SoundFile&) = delete;
  SoundFile& operator=(const SoundFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  SNDFILE* Handle() const { return file_; }
  const SF_INFO& Info() const { return info_; }

 private:
  SF_INFO info_{};
  SNDFILE* file_;
};

// libsndfile's own name of a major or sub format, for the rare ones we do not word ourselves.
std::string LibraryName(int format) {
  const int command = (format & SF_FORMAT_TYPEMASK) != 0 ? SFC_GET_FORMAT_MAJOR : SFC_GET_FORMAT_SUBTYPE;
  int count = 0;
  sf_command(nullptr,
             command == SFC_GET_FORMAT_MAJOR ? SFC_GET_FORMAT_MAJOR_COUNT : SFC_GET_FORMAT_SUBTYPE_COUNT,
             &count, sizeof count);
  for (int i = 0; i < count; ++i) {
    SF_FORMAT_INFO entry{};
    entry.format = i;
    if (sf_command(nullptr, command, &entry, sizeof entry) == 0 && entry.format == format &&
        entry.name != nullptr) {
      return entry.name;
    }
  }
  return "unknown coding";
}

std::string BitWidth(int subtype) {
  switch (subtype) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
      return "8-bit";
    case SF_FORMAT_PCM_16:
      return "16-bit";
    case SF_FORMAT_PCM_24:
      return "24-bit";
    case SF_FORMAT_PCM_32:
      return "32-bit";
    default:
      return {};
  }
}

std::string SubtypeWords(int subtype) {
  if (const std::string width = BitWidth(subtype); !width.empty()) return width + " PCM";
  switch (subtype) {
    case SF_FORMAT_FLOAT:
      return "32-bit float";
    case SF_FORMAT_DOUBLE:
      return "64-bit float";
    case SF_FORMAT_ULAW:
      return "u-law";
    case SF_FORMAT_ALAW:
      return "A-law";
    case SF_FORMAT_IMA_ADPCM:
      return "IMA ADPCM";
    case SF_FORMAT_MS_ADPCM:
      return "MS ADPCM";
    case SF_FORMAT_GSM610:
      return "GSM 6.10";
    case SF_FORMAT_VORBIS:
      return "Vorbis";
    case SF_FORMAT_OPUS:
      return "Opus";
    case SF_FORMAT_ALAC_16:
      return "16-bit ALAC";
    case SF_FORMAT_ALAC_20:
      return "20-bit ALAC";
    case SF_FORMAT_ALAC_24:
      return "24-bit ALAC";
    case SF_FORMAT_ALAC_32:
      return "32-bit ALAC";
    case SF_FORMAT_MPEG_LAYER_I:
      return "MPEG layer I";
    case SF_FORMAT_MPEG_LAYER_II:
      return "MPEG layer II";
    case SF_FORMAT_MPEG_LAYER_III:
      return "MP3";
    default:
      return LibraryName(subtype);
  }
}

// The container is named wherever it is not the plain WAV the program reads itself.
std::string EncodingWords(int format) {
  const int major = format & SF_FORMAT_TYPEMASK;
  const int subtype = format & SF_FORMAT_SUBMASK;
  const std::string coding = SubtypeWords(subtype);
  switch (major) {
    case SF_FORMAT_WAV:
    case SF_FORMAT_MPEG:
      return coding;
    case SF_FORMAT_WAVEX:
      return coding + " (extensible WAV)";
    case SF_FORMAT_AIFF:
      return coding + " AIFF";
    case SF_FORMAT_FLAC: {
      const std::string width = BitWidth(subtype);
      return width.empty() ? coding + " FLAC" : width + " FLAC";
    }
    case SF_FORMAT_OGG:
      return "Ogg " + coding;
    case SF_FORMAT_RF64:
      return coding + " RF64";
    case SF_FORMAT_W64:
      return coding + " Wave64";
    case SF_FORMAT_CAF:
      return coding + " CAF";
    default:
      return coding + " " + LibraryName(major);
  }
}

bool Convertible(const SF_INFO& info) {
  return (info.channels == 1 || info.channels == 2) && info.samplerate >= LowestSampleRate &&
         info.samplerate <= HighestSampleRate;
}

SourceFormat FormatOf(const SF_INFO& info) {
  SourceFormat format;
  format.encoding = EncodingWords(info.format);
  format.sampleRate = info.samplerate;
  format.channels = info.channels;
  format.frames = info.frames;
  return format;
}

// The nearest 16-bit value of a sample libsndfile scaled to [-1, 1): integer
// sources are scaled by powers of two, so their 16-bit part is exact.
int16_t To16Bit(double normalized) {
  const int32_t value = RoundHalfEven(normalized * 32768.0);
  return static_cast<int16_t>(std::clamp(value, -32768, 32767));
}

uint64_t FileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && st.st_size > 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

}  // namespace

bool OpensAsAudio(const std::string& fileName, bool withConversion) {
  const auto endsWith = [&](std::string_view ending) {
    return fileName.size() >= ending.size() &&
           std::equal(ending.rbegin(), ending.rend(), fileName.rbegin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
  };
  if (endsWith(".wav")) return true;
  return withConversion && (endsWith(".aif") || endsWith(".aiff") || endsWith(".flac") || endsWith(".ogg"));
}

std::string SourceFormat::Description() const {
  std::string text = encoding + ", " + std::to_string(sampleRate) + " Hz, ";
  text += channels == 1 ? "mono" : channels == 2 ? "stereo" : std::to_string(channels) + " channels";
  // libsndfile gives a huge count for a length it does not know.
  if (sampleRate > 0 && frames >= 0 && frames < (int64_t{1} << 48)) {
    const int64_t tenths = RoundHalfEven64(static_cast<long double>(frames) * 10 / sampleRate);
    char duration[48];
    std::snprintf(duration, sizeof duration, ", %lld:%02lld.%lld", static_cast<long long>(tenths / 600),
                  static_cast<long long>(tenths % 600 / 10), static_cast<long long>(tenths % 10));
    text += duration;
  }
  return text;
}

std::optional<SourceFormat> ConvertibleFormat(const std::string& path) {
  const SoundFile file(path);
  if (!file.IsOpen() || !Convertible(file.Info())) return std::nullopt;
  return FormatOf(file.Info());
}

ConvertedAudio ConvertAudio(const std::string& path, StereoChoice choice, uint64_t maxBytes) {
  const SoundFile file(path);
  if (!file.IsOpen()) throw EWavParserError("Cannot read " + path);
  const SF_INFO& info = file.Info();
  if (!Convertible(info)) throw EWavParserError(messages::kIncorrectFormat);
  sf_command(file.Handle(), SFC_SET_NORM_DOUBLE, nullptr, SF_TRUE);

  ConvertedAudio audio{FormatOf(info), {}};
  const uint64_t maxSamples = maxBytes / 2;
  // Grown as samples arrive: a header may claim far more than the file holds.
  // One byte of file seldom decodes to more than one sample.
  const uint64_t claimed = info.frames > 0 ? static_cast<uint64_t>(info.frames) : 0;
  ResizeLargeBuffer(audio.samples, 2 * std::min({claimed, FileSize(path), maxSamples}));

  constexpr sf_count_t kBlockFrames = 4096;
  const auto channels = static_cast<size_t>(info.channels);
  std::vector<double> block(static_cast<size_t>(kBlockFrames) * channels);
  uint64_t used = 0;
  while (used < maxSamples) {
    const sf_count_t wanted = static_cast<sf_count_t>(std::min<uint64_t>(kBlockFrames, maxSamples - used));
    const sf_count_t got = sf_readf_double(file.Handle(), block.data(), wanted);
    if (got <= 0) break;
    const auto frames = static_cast<uint64_t>(got);
    const uint64_t room = audio.samples.size() / 2;
    if (used + frames > room) {
      ResizeLargeBuffer(audio.samples, 2 * std::min(maxSamples, std::max(used + frames, 2 * room)));
    }
    uint8_t* out = audio.samples.data() + 2 * used;
    for (uint64_t f = 0; f < frames; ++f) {
      const double* frame = &block[f * channels];
      const int16_t sample =
          channels == 1 ? To16Bit(frame[0]) : ReduceFrame(To16Bit(frame[0]), To16Bit(frame[1]), choice);
      EncodeSample(out + 2 * f, sample);
    }
    used += frames;
  }
  if (sf_error(file.Handle()) != SF_ERR_NO_ERROR) {
    throw EWavParserError("Cannot read " + path + ": " + sf_strerror(file.Handle()));
  }
  audio.samples.resize(2 * used);
  return audio;
}

}  // namespace slicewright
