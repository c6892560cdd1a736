#include "document/WavParser.h"

#include <algorithm>
#include <array>

#include "document/LargeBuffer.h"

namespace slicewright {
namespace {

uint32_t ReadLE32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

constexpr FourCC kRiff = MakeFourCC("RIFF");
constexpr FourCC kList = MakeFourCC("LIST");
constexpr uint64_t kNoLimit = UINT64_MAX;

}  // namespace

TWavParser::~TWavParser() { SetFileName(""); }

void TWavParser::Close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  fileName_.clear();
}

void TWavParser::SetFileName(const std::string& name) {
  Close();
  if (name.empty()) return;
  file_ = std::fopen(name.c_str(), "rb");
  if (file_ == nullptr) throw EWavParserError("Cannot open file " + name);
  fileName_ = name;
}

void TWavParser::CheckOpen() const {
  if (file_ == nullptr) throw EWavParserError("No File to Process");
}

void TWavParser::Rewind() { SeekTo(0); }

void TWavParser::SeekTo(uint64_t offset) {
  CheckOpen();
  if (offset > static_cast<uint64_t>(INT64_MAX) || fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) {
    throw EWavParserError("Cannot change file position");
  }
}

uint64_t TWavParser::FileSize() {
  CheckOpen();
  const off_t here = ftello(file_);
  if (fseeko(file_, 0, SEEK_END) != 0) throw EWavParserError("Cannot change file position");
  const off_t size = ftello(file_);
  if (here < 0 || size < 0 || fseeko(file_, here, SEEK_SET) != 0) {
    throw EWavParserError("Cannot change file position");
  }
  return static_cast<uint64_t>(size);
}

ChunkInfo TWavParser::DescendInto(FourCC id, FourCC formType, uint64_t searchEnd) {
  CheckOpen();
  const off_t startPos = ftello(file_);
  if (startPos < 0) throw EChunkNotFound();
  uint64_t pos = static_cast<uint64_t>(startPos);
  while (pos < searchEnd) {
    std::array<uint8_t, 12> header{};
    SeekTo(pos);
    const size_t got = std::fread(header.data(), 1, header.size(), file_);
    if (got < 8) break;
    ChunkInfo info;
    info.ckid = ReadLE32(header.data());
    info.cksize = ReadLE32(header.data() + 4);
    info.dwDataOffset = static_cast<uint32_t>(pos + 8);
    const bool isForm = info.ckid == kRiff || info.ckid == kList;
    if (isForm && got >= 12) info.fccType = ReadLE32(header.data() + 8);
    if (info.ckid == id && (formType == 0 || (isForm && got >= 12 && info.fccType == formType))) {
      if (!isForm) info.fccType = 0;
      return info;
    }
    // Chunks are word aligned: an odd size is followed by a pad byte.
    pos = pos + 8 + info.cksize + (info.cksize & 1u);
    if (pos > UINT32_MAX) break;
  }
  throw EChunkNotFound();
}

ChunkInfo TWavParser::FindRiff(FourCC formType) {
  Rewind();
  return DescendInto(kRiff, formType, kNoLimit);
}

ChunkInfo TWavParser::FindChunk(FourCC id, const ChunkInfo& riff) {
  const uint64_t first = static_cast<uint64_t>(riff.dwDataOffset) + 4;
  const uint64_t end = static_cast<uint64_t>(riff.dwDataOffset) + riff.cksize;
  SeekTo(first);
  return DescendInto(id, 0, end);
}

uint64_t TWavParser::BytesPresent(const ChunkInfo& chunk) {
  const uint64_t size = FileSize();
  if (chunk.dwDataOffset >= size) return 0;
  return std::min<uint64_t>(chunk.cksize, size - chunk.dwDataOffset);
}

size_t TWavParser::ReadChunk(const ChunkInfo& chunk, std::span<uint8_t> buffer) {
  SeekTo(chunk.dwDataOffset);
  const size_t wanted = std::min<uint64_t>(chunk.cksize, buffer.size());
  return std::fread(buffer.data(), 1, wanted, file_);
}

TRiffChunkDataExtractor::TRiffChunkDataExtractor(const std::string& fileName, FourCC chunkId, FourCC formType)
    : chunkId_(chunkId), formType_(formType) {
  parser_.SetFileName(fileName);
  riff_ = parser_.FindRiff(formType_);
  chunk_ = parser_.FindChunk(chunkId_, riff_);
}

std::vector<uint8_t> TRiffChunkDataExtractor::ReadData() {
  // Sized from what the file holds, so a size field that lies cannot make us
  // allocate gigabytes for a small file.
  std::vector<uint8_t> data;
  ResizeLargeBuffer(data, parser_.BytesPresent(chunk_));
  data.resize(parser_.ReadChunk(chunk_, data));
  return data;
}

size_t TRiffChunkDataExtractor::ReadData(std::span<uint8_t> buffer) {
  return parser_.ReadChunk(chunk_, buffer);
}

WaveFormat DecodeWaveFormat(std::span<const uint8_t> bytes) {
  std::array<uint8_t, 16> raw{};
  std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), raw.size()), raw.begin());
  WaveFormat f;
  f.wFormatTag = ReadLE16(&raw[0]);
  f.nChannels = ReadLE16(&raw[2]);
  f.nSamplesPerSec = ReadLE32(&raw[4]);
  f.nAvgBytesPerSec = ReadLE32(&raw[8]);
  f.nBlockAlign = ReadLE16(&raw[12]);
  f.wBitsPerSample = ReadLE16(&raw[14]);
  return f;
}

}  // namespace slicewright
