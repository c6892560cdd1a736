#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <vector>

namespace slicewright::test {

// RIFF WAVE bytes with a PCM fmt chunk of the given tag and width.
QByteArray WaveBytes(const std::vector<int16_t>& samples, int rate = 44100, int channels = 1,
                     int formatTag = 1, int bits = 16);
// The same 16-bit values stored as 24-bit PCM, each shifted up a byte: a file
// that only conversion opens, and that converts back exactly.
QByteArray Wave24Bytes(const std::vector<int16_t>& samples, int rate, int channels);

// Writes files into a temporary folder that disappears with the object.
class TestFolder {
 public:
  QString Write(const QString& name, const QByteArray& bytes) const;
  QString Path(const QString& name) const { return dir_.filePath(name); }

 private:
  QTemporaryDir dir_;
};

// A loop of decaying noise bursts: detection finds points in it.
std::vector<int16_t> DrumLoop(int samples, int spacing);

}  // namespace slicewright::test
