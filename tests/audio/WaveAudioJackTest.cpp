#include <QElapsedTimer>
#include <QtTest>
#include <cmath>
#include <memory>
#include <vector>

#include "audio/gui/QtUiThread.h"
#include "audio/gui/TWaveAudio.h"

using namespace slicewright;

namespace {
constexpr int kRate = 44100;

// A quiet 440 Hz tone as 16-bit little-endian bytes.
std::vector<uint8_t> Tone(double seconds, int rate) {
  const auto samples = static_cast<size_t>(seconds * rate);
  std::vector<uint8_t> bytes(samples * 2);
  for (size_t i = 0; i < samples; ++i) {
    const auto v = static_cast<int16_t>(3000 * std::sin(2 * M_PI * 440.0 * static_cast<double>(i) / rate));
    bytes[2 * i] = static_cast<uint8_t>(v & 0xff);
    bytes[2 * i + 1] = static_cast<uint8_t>((v >> 8) & 0xff);
  }
  return bytes;
}
}  // namespace

// Plays through PortAudio on a JACK dummy server, which runs in real time
// without a sound card. Timing bounds are wide: they catch a block that
// never ends or ends at once, not scheduling jitter.
class WaveAudioJackTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QtUiThread> ui_;
  std::unique_ptr<TWaveAudio> wave_;
  int notices_ = 0;

  void OpenAt(int rate) {
    wave_->CloseDevice();
    wave_->SetRate(static_cast<uint32_t>(rate));
    QCOMPARE(wave_->OpenDevice(), 0);
    QVERIFY(wave_->WavOpen());
  }

  // Bytes per second BytesPlayed reports over about a second of playback.
  double MeasureByteRate() {
    QTest::qWait(200);
    QElapsedTimer clock;
    clock.start();
    const uint32_t first = wave_->BytesPlayed();
    QTest::qWait(1000);
    const uint32_t second = wave_->BytesPlayed();
    return (second - first) / (clock.nsecsElapsed() / 1e9);
  }

 private slots:
  void init() {
    ui_ = std::make_unique<QtUiThread>();
    wave_ = std::make_unique<TWaveAudio>(*ui_);
    notices_ = 0;
    wave_->OnWaveoutput = [this] { ++notices_; };
    QVERIFY(wave_->OutputDeviceCount() >= 1);
    OpenAt(kRate);
    QCOMPARE(wave_->OpenDevice(), 1);
    qInfo("playing through %s", wave_->Info().c_str());
  }

  void cleanup() {
    wave_.reset();
    ui_.reset();
  }

  void blockPlaysOnceWithOneNotice() {
    const auto block = Tone(0.5, kRate);
    QElapsedTimer clock;
    clock.start();
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), false);
    QVERIFY(wave_->Playing());
    QTRY_COMPARE_WITH_TIMEOUT(notices_, 1, 10000);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 400 && elapsed < 3000, qPrintable(QString::number(elapsed)));
    QVERIFY(!wave_->Playing());
    QCOMPARE(wave_->BytesPlayed(), 0u);
    QTest::qWait(500);
    QCOMPARE(notices_, 1);
  }

  void oddLengthEnds() {
    const auto block = Tone(0.1, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size() - 1), false);
    QTRY_COMPARE_WITH_TIMEOUT(notices_, 1, 10000);
  }

  void loopKeepsGoingUntilStopped() {
    const auto block = Tone(0.2, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), true);
    QTest::qWait(1200);
    QCOMPARE(notices_, 0);
    QVERIFY(wave_->Playing());
    // The count runs on across repetitions.
    QVERIFY2(wave_->BytesPlayed() > 3 * block.size(), qPrintable(QString::number(wave_->BytesPlayed())));
    wave_->StopDevice();
    QCOMPARE(wave_->BytesPlayed(), 0u);
    QTRY_VERIFY_WITH_TIMEOUT(!wave_->Playing(), 5000);
    QTest::qWait(300);
    QCOMPARE(notices_, 0);
  }

  void stoppingABlockGivesOneNotice() {
    const auto block = Tone(3.0, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), false);
    QTest::qWait(300);
    QElapsedTimer clock;
    clock.start();
    wave_->StopDevice();
    QTRY_COMPARE_WITH_TIMEOUT(notices_, 1, 5000);
    QVERIFY(clock.elapsed() < 1500);
    QTest::qWait(300);
    QCOMPARE(notices_, 1);
  }

  void replacedBlockDoesNotEndTheNewOne() {
    const auto first = Tone(2.0, kRate);
    const auto second = Tone(0.6, kRate);
    wave_->PlayBlock(first.data(), static_cast<uint32_t>(first.size()), false);
    QTest::qWait(200);
    QElapsedTimer clock;
    clock.start();
    wave_->PlayBlock(second.data(), static_cast<uint32_t>(second.size()), false);
    QTest::qWait(300);
    QCOMPARE(notices_, 0);
    QVERIFY(wave_->Playing());
    QTRY_COMPARE_WITH_TIMEOUT(notices_, 1, 10000);
    QVERIFY(clock.elapsed() >= 450);
  }

  void bytesPlayedGrowsAtTheSampleRate() {
    const auto block = Tone(3.0, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), false);
    const double rate = MeasureByteRate();
    QVERIFY2(std::abs(rate - 2.0 * kRate) < 0.2 * 2 * kRate, qPrintable(QString::number(rate)));
  }

  void bytesPlayedMovesSmoothly() {
    const auto block = Tone(2.0, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), false);
    QTest::qWait(200);
    uint32_t last = wave_->BytesPlayed();
    int stalls = 0;
    for (int i = 0; i < 100; ++i) {
      QTest::qWait(10);
      const uint32_t now = wave_->BytesPlayed();
      QVERIFY(now >= last);
      if (now == last) ++stalls;
      last = now;
    }
    // Between callbacks the position follows the clock instead of standing still.
    QVERIFY2(stalls < 20, qPrintable(QString::number(stalls)));
  }

  void otherRatesAreResampled() {
    OpenAt(22050);
    const auto block = Tone(3.0, 22050);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), false);
    const double rate = MeasureByteRate();
    QVERIFY2(std::abs(rate - 2.0 * 22050) < 0.2 * 2 * 22050, qPrintable(QString::number(rate)));
  }

  void closingWhileLoopingReleasesAndReopens() {
    const auto block = Tone(0.2, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), true);
    QTest::qWait(200);
    wave_->CloseDevice();
    QVERIFY(!wave_->WavOpen());
    QCOMPARE(wave_->BytesPlayed(), 0u);
    QCOMPARE(wave_->OpenDevice(), 0);
    QTest::qWait(300);
    QCOMPARE(notices_, 0);
    QVERIFY(!wave_->Playing());
  }
};

QTEST_GUILESS_MAIN(WaveAudioJackTest)
#include "WaveAudioJackTest.moc"
