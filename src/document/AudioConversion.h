#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/StereoReduction.h"

namespace slicewright {

// The format of a file that is not 16-bit PCM WAV, as libsndfile reads it.
struct SourceFormat {
  // Sample coding, and the container unless plain WAV: "24-bit PCM",
  // "16-bit PCM AIFF", "24-bit FLAC", "Ogg Vorbis".
  std::string encoding;
  int32_t sampleRate = 0;
  int32_t channels = 0;
  int64_t frames = 0;

  // In words, for the conversion question and the status bar:
  // "24-bit PCM, 48000 Hz, stereo, 0:12.5".
  std::string Description() const;
};

// Whether a file name ends as the files that open do: ".wav" (any case),
// and with conversion also ".aif", ".aiff", ".flac" and ".ogg".
bool OpensAsAudio(const std::string& fileName, bool withConversion);

// The format of the file when libsndfile reads it and the result can be a
// document: one or two channels at 1 Hz to 768 kHz. Nothing otherwise. Meant
// for files the 16-bit check refuses; those it accepts never come here.
std::optional<SourceFormat> ConvertibleFormat(const std::string& path);

// Audio converted to what the document holds.
struct ConvertedAudio {
  SourceFormat source;
  std::vector<uint8_t> samples;  // 16-bit mono, little-endian
};

// Reads the whole file through libsndfile and converts it: every sample is
// rounded to the nearest 16-bit value (halves to even) and clipped, with no
// dither, so 16-bit material stored in a wider format comes back exactly; two
// channels are then reduced as a 16-bit stereo file is. At most maxBytes of
// samples are kept. A file that cannot be read or converted throws
// EWavParserError.
ConvertedAudio ConvertAudio(const std::string& path, StereoChoice choice, uint64_t maxBytes);

}  // namespace slicewright
