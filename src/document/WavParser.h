#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace slicewright {

using FourCC = uint32_t;

constexpr FourCC MakeFourCC(const char (&id)[5]) {
  return static_cast<FourCC>(static_cast<uint8_t>(id[0])) |
         static_cast<FourCC>(static_cast<uint8_t>(id[1])) << 8 |
         static_cast<FourCC>(static_cast<uint8_t>(id[2])) << 16 |
         static_cast<FourCC>(static_cast<uint8_t>(id[3])) << 24;
}

// Where a RIFF chunk lies in the file, as found by descending into it.
struct ChunkInfo {
  FourCC ckid = 0;
  uint32_t cksize = 0;
  FourCC fccType = 0;
  uint32_t dwDataOffset = 0;
  uint32_t dwFlags = 0;
};

// The first 16 bytes of a "fmt " chunk.
struct WaveFormat {
  uint16_t wFormatTag = 0;
  uint16_t nChannels = 0;
  uint32_t nSamplesPerSec = 0;
  uint32_t nAvgBytesPerSec = 0;
  uint16_t nBlockAlign = 0;
  uint16_t wBitsPerSample = 0;
};

class EWavParserError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EChunkNotFound : public EWavParserError {
 public:
  EChunkNotFound() : EWavParserError("Chunk Not Found") {}
};

// Reads RIFF files chunk by chunk. The file is opened for reading only, so
// read-only sample libraries load.
class TWavParser {
 public:
  TWavParser() = default;
  ~TWavParser();
  TWavParser(const TWavParser&) = delete;
  TWavParser& operator=(const TWavParser&) = delete;

  void SetFileName(const std::string& name);
  const std::string& FileName() const { return fileName_; }

  ChunkInfo FindRiff(FourCC formType);
  // Every search starts again at the first sub-chunk, so chunk order does not matter.
  ChunkInfo FindChunk(FourCC id, const ChunkInfo& riff);
  // Reads at most buffer.size() bytes of the chunk data; returns the count read,
  // which is smaller than the chunk size when the file ends early.
  size_t ReadChunk(const ChunkInfo& chunk, std::span<uint8_t> buffer);
  // Bytes of the chunk that the file actually holds.
  uint64_t BytesPresent(const ChunkInfo& chunk);

 private:
  void CheckOpen() const;
  void Rewind();
  void SeekTo(uint64_t offset);
  // Finds a chunk from the current position up to searchEnd.
  ChunkInfo DescendInto(FourCC id, FourCC formType, uint64_t searchEnd);
  uint64_t FileSize();
  void Close();

  std::string fileName_;
  std::FILE* file_ = nullptr;
};

// Opens a file, finds a RIFF form and one chunk in it; the file stays open
// while the extractor lives.
class TRiffChunkDataExtractor {
 public:
  TRiffChunkDataExtractor(const std::string& fileName, FourCC chunkId, FourCC formType);
  virtual ~TRiffChunkDataExtractor() = default;

  uint32_t ChunkSize() const { return chunk_.cksize; }
  // Reads the chunk data as far as the file holds it.
  std::vector<uint8_t> ReadData();
  size_t ReadData(std::span<uint8_t> buffer);

 private:
  TWavParser parser_;
  FourCC chunkId_;
  FourCC formType_;
  ChunkInfo riff_;
  ChunkInfo chunk_;
};

class TWaveDataExtractor : public TRiffChunkDataExtractor {
 public:
  explicit TWaveDataExtractor(const std::string& fileName)
      : TRiffChunkDataExtractor(fileName, MakeFourCC("data"), MakeFourCC("WAVE")) {}
};

class TWaveFormatExtractor : public TRiffChunkDataExtractor {
 public:
  explicit TWaveFormatExtractor(const std::string& fileName)
      : TRiffChunkDataExtractor(fileName, MakeFourCC("fmt "), MakeFourCC("WAVE")) {}
};

// Decodes the first 16 bytes of a fmt chunk; missing bytes read as 0.
WaveFormat DecodeWaveFormat(std::span<const uint8_t> bytes);

}  // namespace slicewright
