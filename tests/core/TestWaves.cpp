#include "TestWaves.h"

#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>

namespace slicewright::test {

Bytes& Bytes::Text(const std::string& s) {
  data.insert(data.end(), s.begin(), s.end());
  return *this;
}
Bytes& Bytes::U16(uint16_t v) {
  data.push_back(static_cast<uint8_t>(v & 0xFF));
  data.push_back(static_cast<uint8_t>(v >> 8));
  return *this;
}
Bytes& Bytes::U32(uint32_t v) {
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return *this;
}
Bytes& Bytes::Append(const std::vector<uint8_t>& more) {
  data.insert(data.end(), more.begin(), more.end());
  return *this;
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
  Bytes b;
  for (const int16_t s : samples) b.U16(static_cast<uint16_t>(s));
  return b.data;
}

std::vector<uint8_t> FmtChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint32_t size) {
  Bytes body;
  body.U16(tag)
      .U16(channels)
      .U32(rate)
      .U32(rate * channels * (bits / 8))
      .U16(static_cast<uint16_t>(channels * (bits / 8)))
      .U16(bits);
  body.data.resize(size, 0);
  return Chunk("fmt ", body.data);
}

std::vector<uint8_t> Chunk(const std::string& id, const std::vector<uint8_t>& body, int64_t claimedSize) {
  Bytes b;
  b.Text(id).U32(static_cast<uint32_t>(claimedSize >= 0 ? claimedSize : static_cast<int64_t>(body.size())));
  b.Append(body);
  if (body.size() % 2 == 1 && claimedSize < 0) b.data.push_back(0);
  return b.data;
}

std::vector<uint8_t> Riff(const std::string& form, const std::vector<std::vector<uint8_t>>& chunks) {
  Bytes inner;
  inner.Text(form);
  for (const auto& c : chunks) inner.Append(c);
  Bytes b;
  b.Text("RIFF").U32(static_cast<uint32_t>(inner.data.size())).Append(inner.data);
  return b.data;
}

std::vector<uint8_t> Wave(const std::vector<int16_t>& samples, uint32_t rate, uint16_t channels) {
  return Riff("WAVE", {FmtChunk(1, channels, rate, 16), Chunk("data", Pcm16(samples))});
}

TempDir::TempDir() {
  std::random_device rd;
  dir_ = std::filesystem::temp_directory_path() /
         ("slicewright-test-" + std::to_string(rd()) + std::to_string(rd()));
  std::filesystem::create_directories(dir_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ec);
  std::filesystem::remove_all(dir_, ec);
}

std::string TempDir::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::string path = Path(name);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
  return path;
}

std::vector<int16_t> Noise(size_t count, int amplitude, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> dist(-amplitude, amplitude);
  std::vector<int16_t> out(count);
  for (auto& s : out) s = static_cast<int16_t>(dist(rng));
  return out;
}

std::vector<int16_t> DrumLoop(size_t count, size_t spacing, uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::vector<int16_t> out(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t sinceHit = i % spacing;
    const double hit = static_cast<double>((i / spacing) % 4 + 1) / 4.0;
    const double envelope = std::exp(-static_cast<double>(sinceHit) / 1500.0) * hit;
    out[i] = static_cast<int16_t>(std::lround(unit(rng) * 30000.0 * envelope + unit(rng) * 40.0));
  }
  return out;
}

}  // namespace slicewright::test
