#pragma once

// Structure checks of the exported files, strict where their readers are.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace slicewright::fuzz {

using File = std::vector<uint8_t>;

inline uint32_t LE32(const File& f, size_t at) {
  return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | static_cast<uint32_t>(f[at + 3]) << 24;
}
inline uint32_t BE32(const File& f, size_t at) {
  return static_cast<uint32_t>(f[at]) << 24 | f[at + 1] << 16 | f[at + 2] << 8 | f[at + 3];
}
inline uint16_t BE16(const File& f, size_t at) { return static_cast<uint16_t>(f[at] << 8 | f[at + 1]); }
inline bool IdAt(const File& f, size_t at, const char* id) {
  return at + 4 <= f.size() && std::memcmp(f.data() + at, id, 4) == 0;
}

struct RiffChunk {
  std::string id;
  size_t data = 0;
  uint32_t size = 0;
};

// The chunks that fill [first, end) exactly, each padded to an even size.
inline std::vector<RiffChunk> Chunks(const File& f, size_t first, size_t end) {
  std::vector<RiffChunk> chunks;
  size_t at = first;
  while (at < end) {
    FUZZ_CHECK(end - at >= 8);
    const uint32_t size = LE32(f, at + 4);
    FUZZ_CHECK(size <= end - at - 8);
    chunks.push_back({std::string(f.begin() + at, f.begin() + at + 4), at + 8, size});
    at += 8 + size + size % 2;
  }
  FUZZ_CHECK(at == end);
  return chunks;
}

// The chunks of a RIFF file of the given form whose size field is the file length - 8.
inline std::vector<RiffChunk> RiffChunks(const File& f, const char* form) {
  FUZZ_CHECK(IdAt(f, 0, "RIFF") && IdAt(f, 8, form));
  FUZZ_CHECK(LE32(f, 4) == f.size() - 8);
  return Chunks(f, 12, f.size());
}

// A WAV file whose audio is exactly the given bytes.
inline void CheckWave(const File& f, std::span<const uint8_t> audio) {
  const std::vector<RiffChunk> chunks = RiffChunks(f, "WAVE");
  FUZZ_CHECK(chunks.size() == 2 && chunks[0].id == "fmt " && chunks[0].size >= 16 && chunks[1].id == "data");
  FUZZ_CHECK(chunks[1].size == audio.size());
  FUZZ_CHECK(std::equal(audio.begin(), audio.end(), f.begin() + static_cast<std::ptrdiff_t>(chunks[1].data)));
}

// A SoundFont 2 bank: the three lists with the sub-chunks a reader expects,
// INFO texts of even size, and sample headers whose start, loop and end lie in
// order inside the smpl data. Returns the number of samples.
inline size_t CheckSoundFont(const File& f) {
  const std::vector<RiffChunk> lists = RiffChunks(f, "sfbk");
  FUZZ_CHECK(lists.size() == 3);
  const char* forms[] = {"INFO", "sdta", "pdta"};
  std::vector<RiffChunk> sub[3];
  std::string ids[3];
  for (int i = 0; i < 3; ++i) {
    FUZZ_CHECK(lists[i].id == "LIST" && lists[i].size >= 4 && IdAt(f, lists[i].data, forms[i]));
    sub[i] = Chunks(f, lists[i].data + 4, lists[i].data + lists[i].size);
    for (const RiffChunk& c : sub[i]) ids[i] += c.id;
  }
  for (const RiffChunk& c : sub[0]) FUZZ_CHECK(c.size % 2 == 0);
  FUZZ_CHECK(ids[0].starts_with("ifil") && ids[1] == "smpl" &&
             ids[2] == "phdrpbagpmodpgeninstibagimodigenshdr");
  const uint32_t points = sub[1][0].size / 2;
  const RiffChunk& shdr = sub[2][8];
  FUZZ_CHECK(shdr.size % 46 == 0 && shdr.size >= 46);
  // The last record is the terminal one.
  for (size_t at = shdr.data; at + 46 < shdr.data + shdr.size; at += 46) {
    const uint32_t start = LE32(f, at + 20), end = LE32(f, at + 24);
    const uint32_t loopStart = LE32(f, at + 28), loopEnd = LE32(f, at + 32);
    FUZZ_CHECK(start <= loopStart && loopStart <= loopEnd && loopEnd <= end && end <= points);
  }
  return shdr.size / 46 - 1;
}

struct MidiTrack {
  uint64_t ticks = 0;
  size_t notes = 0;
};

// A format 0 Standard MIDI File: one MTrk that runs exactly to the end of the
// file, deltas and lengths of at most 4 bytes, data bytes below 128, meta
// events of the lengths their types need, a tempo above 0, and the end-of-track meta last.
inline MidiTrack CheckMidi(const File& f) {
  FUZZ_CHECK(f.size() >= 22 && IdAt(f, 0, "MThd") && BE32(f, 4) == 6 && BE16(f, 8) == 0 && BE16(f, 10) == 1);
  FUZZ_CHECK(IdAt(f, 14, "MTrk") && BE32(f, 18) == f.size() - 22);
  size_t at = 22;
  const auto next = [&] {
    FUZZ_CHECK(at < f.size());
    return f[at++];
  };
  const auto quantity = [&] {
    uint32_t value = 0;
    uint8_t byte = 0x80;
    for (int n = 0; n < 4 && byte >= 0x80; ++n) {
      byte = next();
      value = value << 7 | (byte & 0x7F);
    }
    FUZZ_CHECK(byte < 0x80);
    return value;
  };
  MidiTrack track;
  uint8_t status = 0;
  for (;;) {
    track.ticks += quantity();
    uint8_t byte = next();
    if (byte == 0xFF || byte == 0xF0 || byte == 0xF7) {
      const int type = byte == 0xFF ? next() : -1;
      const uint32_t length = quantity();
      FUZZ_CHECK(length <= f.size() - at);
      FUZZ_CHECK((type != 0x2F || length == 0) && (type != 0x51 || length == 3) &&
                 (type != 0x58 || length == 4));
      // A tempo of no microseconds per quarter cannot be played.
      if (type == 0x51) FUZZ_CHECK((f[at] | f[at + 1] | f[at + 2]) != 0);
      at += length;
      if (type == 0x2F) break;
      status = 0;  // meta and system exclusive events cancel running status
      continue;
    }
    if (byte >= 0x80) {
      status = byte;
      byte = next();
    }
    FUZZ_CHECK(status >= 0x80 && status < 0xF0 && byte < 0x80);
    const int kind = status >> 4;
    if (kind != 0xC && kind != 0xD) FUZZ_CHECK(next() < 0x80);
    if (kind == 0x9) ++track.notes;
  }
  FUZZ_CHECK(at == f.size());
  return track;
}

}  // namespace slicewright::fuzz
