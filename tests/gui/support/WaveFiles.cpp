#include "support/WaveFiles.h"

#include <QFile>
#include <QtEndian>
#include <cmath>

namespace slicewright::test {
namespace {

void U16(QByteArray& b, int v) {
  b.append(static_cast<char>(v & 0xFF));
  b.append(static_cast<char>((v >> 8) & 0xFF));
}
void U32(QByteArray& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

QByteArray WaveFile(const QByteArray& data, int rate, int channels, int formatTag, int bits) {
  QByteArray b("RIFF");
  U32(b, static_cast<uint32_t>(4 + 8 + 16 + 8 + data.size()));
  b.append("WAVEfmt ");
  U32(b, 16);
  U16(b, formatTag);
  U16(b, channels);
  U32(b, static_cast<uint32_t>(rate));
  U32(b, static_cast<uint32_t>(rate * channels * bits / 8));
  U16(b, channels * bits / 8);
  U16(b, bits);
  b.append("data");
  U32(b, static_cast<uint32_t>(data.size()));
  b.append(data);
  return b;
}

}  // namespace

QByteArray WaveBytes(const std::vector<int16_t>& samples, int rate, int channels, int formatTag, int bits) {
  QByteArray data;
  for (const int16_t s : samples) U16(data, static_cast<uint16_t>(s));
  return WaveFile(data, rate, channels, formatTag, bits);
}

QByteArray Wave24Bytes(const std::vector<int16_t>& samples, int rate, int channels) {
  QByteArray data;
  for (const int16_t s : samples) {
    data.append('\0');
    U16(data, static_cast<uint16_t>(s));
  }
  return WaveFile(data, rate, channels, 1, 24);
}

QString TestFolder::Write(const QString& name, const QByteArray& bytes) const {
  const QString path = dir_.filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  return path;
}

std::vector<int16_t> DrumLoop(int samples, int spacing) {
  std::vector<int16_t> out(static_cast<size_t>(samples));
  uint32_t seed = 12345;
  for (int i = 0; i < samples; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double noise = static_cast<double>(static_cast<int32_t>(seed >> 16) - 32768) / 32768.0;
    const double envelope = std::exp(-static_cast<double>(i % spacing) / (spacing / 8.0));
    out[static_cast<size_t>(i)] = static_cast<int16_t>(noise * 20000.0 * envelope);
  }
  return out;
}

}  // namespace slicewright::test
