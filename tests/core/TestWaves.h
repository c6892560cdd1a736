#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace slicewright::test {

// Little-endian byte building for hand-made RIFF files.
struct Bytes {
  std::vector<uint8_t> data;
  Bytes& Text(const std::string& s);
  Bytes& U16(uint16_t v);
  Bytes& U32(uint32_t v);
  Bytes& Append(const std::vector<uint8_t>& more);
};

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples);
std::vector<uint8_t> FmtChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                              uint32_t size = 16);
std::vector<uint8_t> Chunk(const std::string& id, const std::vector<uint8_t>& body, int64_t claimedSize = -1);
// A RIFF file of the given form whose size field covers the chunks.
std::vector<uint8_t> Riff(const std::string& form, const std::vector<std::vector<uint8_t>>& chunks);
// A plain 16-bit PCM WAV file.
std::vector<uint8_t> Wave(const std::vector<int16_t>& samples, uint32_t rate = 44100, uint16_t channels = 1);

// A folder that is removed with everything in it when the test ends.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

// Deterministic noise within +-amplitude.
std::vector<int16_t> Noise(size_t count, int amplitude, uint32_t seed);
// A drum-like loop: decaying noise bursts every `spacing` samples.
std::vector<int16_t> DrumLoop(size_t count, size_t spacing, uint32_t seed);

}  // namespace slicewright::test
