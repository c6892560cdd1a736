#include <QtTest>
#include <algorithm>
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
// without a sound card. Two busy cores can slow everything down, so the
// tests wait on what the device reports (BytesPlayed, the done notice) with
// generous limits and check order and counts, never durations. Where a test
// shows that no notice comes, a later block's notice first shows that
// notices do arrive.
class WaveAudioJackTest : public QObject {
  Q_OBJECT

 private:
  static constexpr int kPatience = 30000;  // ms: only a hung device takes this long
  std::unique_ptr<QtUiThread> ui_;
  std::unique_ptr<TWaveAudio> wave_;
  int notices_ = 0;

  void OpenAt(int rate) {
    wave_->CloseDevice();
    wave_->SetRate(static_cast<uint32_t>(rate));
    QCOMPARE(wave_->OpenDevice(), 0);
    QVERIFY(wave_->WavOpen());
  }

  // Plays a short block to its end: its notice is the next one.
  void ExpectNextNoticeFromANewBlock(int rate) {
    const int before = notices_;
    const auto probe = Tone(0.05, rate);
    wave_->PlayBlock(probe.data(), static_cast<uint32_t>(probe.size()), false);
    QTRY_VERIFY_WITH_TIMEOUT(notices_ > before, kPatience);
    QCOMPARE(notices_, before + 1);
  }

  // Plays a block through, checking that BytesPlayed only grows and reaches
  // most of the block before its one notice.
  void PlayThrough(const std::vector<uint8_t>& block, int rate) {
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), false);
    QVERIFY(wave_->Playing());
    uint32_t highest = 0;
    bool wentBack = false;
    const auto endedAfterCounting = [&] {
      if (notices_ > 0) return true;
      const uint32_t now = wave_->BytesPlayed();
      wentBack = wentBack || now < highest;
      highest = std::max(highest, now);
      return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(endedAfterCounting(), kPatience);
    QVERIFY(!wentBack);
    QVERIFY2(highest >= block.size() / 2, qPrintable(QString::number(highest)));
    QCOMPARE(notices_, 1);
    QVERIFY(!wave_->Playing());
    QCOMPARE(wave_->BytesPlayed(), 0u);
    ExpectNextNoticeFromANewBlock(rate);
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

  void aBlockIsCountedThroughAndEndsWithOneNotice() { PlayThrough(Tone(0.5, kRate), kRate); }

  void anOddLengthEnds() {
    const auto block = Tone(0.1, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size() - 1), false);
    QTRY_COMPARE_WITH_TIMEOUT(notices_, 1, kPatience);
  }

  void aBlockAtAnotherRateIsResampledAndPlaysThrough() {
    OpenAt(22050);
    PlayThrough(Tone(0.5, 22050), 22050);
  }

  void aLoopKeepsGoingUntilStoppedAndNeverNotifies() {
    const auto block = Tone(0.2, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), true);
    // The count runs on across repetitions.
    QTRY_VERIFY_WITH_TIMEOUT(wave_->BytesPlayed() > 3 * block.size(), kPatience);
    QVERIFY(wave_->Playing());
    QCOMPARE(notices_, 0);
    wave_->StopDevice();
    QCOMPARE(wave_->BytesPlayed(), 0u);
    QTRY_VERIFY_WITH_TIMEOUT(!wave_->Playing(), kPatience);
    ExpectNextNoticeFromANewBlock(kRate);
  }

  void stoppingABlockGivesOneNotice() {
    const auto block = Tone(3.0, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), false);
    QTRY_VERIFY_WITH_TIMEOUT(wave_->BytesPlayed() > 0, kPatience);
    wave_->StopDevice();
    QTRY_COMPARE_WITH_TIMEOUT(notices_, 1, kPatience);
    ExpectNextNoticeFromANewBlock(kRate);
  }

  void aReplacedBlockDoesNotEndTheNewOne() {
    const auto first = Tone(2.0, kRate);
    const auto second = Tone(0.6, kRate);
    wave_->PlayBlock(first.data(), static_cast<uint32_t>(first.size()), false);
    QTRY_VERIFY_WITH_TIMEOUT(wave_->BytesPlayed() > 0, kPatience);
    PlayThrough(second, kRate);
  }

  void closingWhileLoopingReleasesAndReopens() {
    const auto block = Tone(0.2, kRate);
    wave_->PlayBlock(block.data(), static_cast<uint32_t>(block.size()), true);
    QTRY_VERIFY_WITH_TIMEOUT(wave_->BytesPlayed() > 0, kPatience);
    wave_->CloseDevice();
    QVERIFY(!wave_->WavOpen());
    QCOMPARE(wave_->BytesPlayed(), 0u);
    QTRY_VERIFY_WITH_TIMEOUT(!wave_->Playing(), kPatience);
    QCOMPARE(wave_->OpenDevice(), 0);
    ExpectNextNoticeFromANewBlock(kRate);
  }
};

QTEST_GUILESS_MAIN(WaveAudioJackTest)
#include "WaveAudioJackTest.moc"
