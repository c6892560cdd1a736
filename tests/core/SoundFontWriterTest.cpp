#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "TestWaves.h"
#include "export/CreationDate.h"
#include "export/SfzWriter.h"
#include "export/SoundFontWriter.h"
#include "export/WaveImage.h"

namespace slicewright {
namespace {

constexpr CalendarDate kDay{2026, 12, 7};

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// Walks the bank's chunks, checking that every size covers exactly its
// contents, and gives the offset and size of each leaf chunk's data.
struct Chunks {
  std::map<std::string, std::pair<size_t, uint32_t>> leaf;

  explicit Chunks(const std::vector<uint8_t>& bank) {
    EXPECT_EQ(std::string(bank.begin(), bank.begin() + 4), "RIFF");
    EXPECT_EQ(U32(bank, 4), bank.size() - 8);
    Walk(bank, 12, bank.size());
  }
  void Walk(const std::vector<uint8_t>& b, size_t at, size_t end) {
    while (at < end) {
      ASSERT_LE(at + 8, end);
      const std::string id(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
      const uint32_t size = U32(b, at + 4);
      ASSERT_LE(at + 8 + size, end) << id;
      EXPECT_EQ(size % 2, 0u) << id;
      if (id == "LIST") {
        Walk(b, at + 12, at + 8 + size);
      } else {
        leaf[id] = {at + 8, size};
      }
      at += 8 + size;
    }
    EXPECT_EQ(at, end);
  }
  size_t At(const std::string& id) const { return leaf.at(id).first; }
  uint32_t Size(const std::string& id) const { return leaf.at(id).second; }
};

// A 44.1 kHz document of loud samples cut at the given byte positions.
Document CutDocument(int32_t samples, const std::vector<int32_t>& cuts) {
  Document doc;
  doc.SampleRate = 44100;
  doc.AvgBytesPerSec = 88200;
  std::vector<int16_t> values(static_cast<size_t>(samples));
  for (int32_t i = 0; i < samples; ++i) values[static_cast<size_t>(i)] = static_cast<int16_t>(20000 - 13 * i);
  doc.SampleStream = test::Pcm16(values);
  doc.DataLength = 2 * samples;
  doc.ActivePointCount = static_cast<int32_t>(cuts.size());
  for (size_t k = 0; k < cuts.size(); ++k) doc.ActivePoints[k + 1].Position = cuts[k];
  doc.ActivePoints[cuts.size() + 1].Position = doc.DataLength;
  doc.LeftLocatorPos = 0;
  doc.RightLocatorPos = doc.DataLength;
  return doc;
}

std::vector<uint8_t> Bank(const Document& doc, const SoundFontSettings& settings = {}) {
  auto bank = BuildSoundFont(doc, settings, kDay);
  EXPECT_TRUE(bank.has_value());
  return bank.value_or(std::vector<uint8_t>{});
}

std::string InfoText(const std::vector<uint8_t>& bank, const Chunks& c, const std::string& id) {
  return std::string(reinterpret_cast<const char*>(bank.data() + c.At(id)));
}

int16_t SampleAt(const std::vector<uint8_t>& b, size_t at) { return static_cast<int16_t>(U16(b, at)); }

TEST(SoundFont, SingleSliceLayout) {
  Document doc = CutDocument(2000, {1000});
  doc.LeftLocatorPos = 1000;  // no active point inside the region
  const auto bank = Bank(doc);
  const Chunks c(bank);
  EXPECT_EQ(c.Size("smpl"), 3000u + 184u);
  EXPECT_EQ(c.Size("phdr"), 76u);
  EXPECT_EQ(c.Size("pbag"), 8u);
  EXPECT_EQ(c.Size("pmod"), 10u);
  EXPECT_EQ(c.Size("pgen"), 8u);
  EXPECT_EQ(c.Size("inst"), 44u);
  EXPECT_EQ(U16(bank, c.At("inst") + 42), 1u);  // EOI's bag index
  EXPECT_EQ(c.Size("ibag"), 8u);
  EXPECT_EQ(U16(bank, c.At("ibag") + 4), 3u);
  EXPECT_EQ(c.Size("igen"), 16u);
  EXPECT_EQ(c.Size("shdr"), 92u);
  const size_t shdr = c.At("shdr");
  EXPECT_EQ(InfoText(bank, c, "shdr"), "SL1");  // 1 active point: 2 segments, one digit
  EXPECT_EQ(U32(bank, shdr + 20), 0u);
  EXPECT_EQ(U32(bank, shdr + 24), 1499u + 46u);
  EXPECT_EQ(U32(bank, shdr + 28), 8u);
  EXPECT_EQ(U32(bank, shdr + 32), 1545u);
  EXPECT_EQ(U32(bank, shdr + 36), 44100u);
  EXPECT_EQ(bank[shdr + 40], 60);
  EXPECT_EQ(U16(bank, shdr + 44), 1u);
  EXPECT_EQ(InfoText(bank, c, "shdr").size(), 3u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bank.data() + shdr + 46)), "EOS");
}

TEST(SoundFont, InfoTextsArePaddedToEvenSizes) {
  const Document doc = CutDocument(500, {});
  SoundFontSettings settings;
  const std::map<std::string, uint32_t> sizes{{"", 2}, {"Fifteen letters", 16}, {"Sixteen letters!", 18}};
  for (const auto& [name, size] : sizes) {
    settings.bankName = name;
    const auto bank = Bank(doc, settings);
    const Chunks c(bank);
    EXPECT_EQ(c.Size("INAM"), size) << name;
    EXPECT_EQ(InfoText(bank, c, "INAM"), name);
    EXPECT_EQ(bank[c.At("INAM") + size - 1], 0);
  }
  // Longer names are cut to the 256 bytes readers take, never inside a character.
  for (const std::string& name : {std::string(300, 'a'), std::string(254, 'a') + "\xC3\xA9"}) {
    settings.bankName = name;
    const auto bank = Bank(doc, settings);
    const Chunks c(bank);
    EXPECT_EQ(c.Size("INAM"), 256u);
    EXPECT_EQ(InfoText(bank, c, "INAM"), name.substr(0, name[254] == 'a' ? 255 : 254));
  }
  const auto bank = Bank(doc);
  const Chunks c(bank);
  EXPECT_EQ(InfoText(bank, c, "INAM"), "Slicewright Bank");
  EXPECT_EQ(c.Size("ifil"), 4u);
  EXPECT_EQ(c.Size("isng"), 8u);
  EXPECT_EQ(c.Size("IENG"), 14u);
  EXPECT_EQ(c.Size("ISFT"), 18u);
  EXPECT_EQ(c.Size("ICMT"), 26u);
  EXPECT_EQ(InfoText(bank, c, "ICRD"), "December 7 ,2026");
  EXPECT_EQ(c.Size("ICRD"), 18u);
  EXPECT_EQ(InfoText(bank, c, "ICMT"), "Generated by Slicewright");
}

TEST(SoundFont, SampleHeadersAndDataOfSeveralSlices) {
  // 11 active points; the region holds 3 slices of 600, 1000 and 402 bytes.
  Document doc = CutDocument(3000, {100, 300, 900, 1900, 2302, 3000, 3500, 4000, 4500, 5000, 5500});
  doc.LeftLocatorPos = 300;
  doc.RightLocatorPos = 2302;
  SoundFontSettings settings;
  settings.smoothEnds = false;
  const auto bank = Bank(doc, settings);
  const Chunks c(bank);
  const size_t smpl = c.At("smpl");
  EXPECT_EQ(c.Size("smpl"), 2002u + 3u * 184u);
  const int32_t starts[] = {300, 900, 1900};
  const int32_t lengths[] = {600, 1000, 402};
  size_t at = smpl;
  for (int n = 0; n < 3; ++n) {
    EXPECT_TRUE(std::equal(bank.begin() + static_cast<long>(at),
                           bank.begin() + static_cast<long>(at) + lengths[n],
                           doc.SampleStream.begin() + starts[n]));
    EXPECT_TRUE(std::all_of(bank.begin() + static_cast<long>(at) + lengths[n],
                            bank.begin() + static_cast<long>(at) + lengths[n] + 184,
                            [](uint8_t b) { return b == 0; }));
    at += static_cast<size_t>(lengths[n]) + 184;
  }
  const size_t shdr = c.At("shdr");
  EXPECT_EQ(InfoText(bank, c, "shdr"), "SL01");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bank.data() + shdr + 2 * 46)), "SL03");
  for (int n = 0; n < 3; ++n) {
    const size_t h = shdr + 46 * static_cast<size_t>(n);
    const uint32_t start = U32(bank, h + 20);
    const uint32_t end = U32(bank, h + 24);
    EXPECT_EQ(start, static_cast<uint32_t>((starts[n] - 300) / 2 + 92 * n));
    EXPECT_EQ(end, start + static_cast<uint32_t>(lengths[n]) / 2 - 1 + 46);  // 45 points into the padding
    EXPECT_EQ(U32(bank, h + 28), start + 8);
    EXPECT_EQ(U32(bank, h + 32), end);
    if (n > 0) {
      EXPECT_EQ(start, U32(bank, h - 46 + 24) + 47);
    }
    // The declared end stays inside the sample data.
    EXPECT_LT(end, c.Size("smpl") / 2);
  }
  // Zones: keys 48, 49, 50, each on its own sample.
  const size_t igen = c.At("igen");
  for (int n = 0; n < 3; ++n) {
    const size_t g = igen + 12 * static_cast<size_t>(n);
    EXPECT_EQ(U16(bank, g), 43u);
    EXPECT_EQ(bank[g + 2], 48 + n);
    EXPECT_EQ(bank[g + 3], 48 + n);
    EXPECT_EQ(U16(bank, g + 4), 58u);
    EXPECT_EQ(U16(bank, g + 6), 48 + n);
    EXPECT_EQ(U16(bank, g + 8), 53u);
    EXPECT_EQ(U16(bank, g + 10), n);
  }
  EXPECT_EQ(U16(bank, c.At("pgen")), 41u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bank.data() + c.At("phdr"))), "FirstInst");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bank.data() + c.At("inst"))), "Slicewright");
}

// Coinciding points give an empty slice: it keeps its key, as a silent sample
// of the padding that follows it.
TEST(SoundFont, AnEmptySliceIsASilentSampleOfItsPadding) {
  const auto bank = Bank(CutDocument(1000, {800, 800}));
  const Chunks c(bank);
  EXPECT_EQ(c.Size("smpl"), 2000u + 3u * 184u);
  const size_t empty = c.At("shdr") + 46;
  EXPECT_EQ(U32(bank, empty + 20), 400u + 92u);
  EXPECT_EQ(U32(bank, empty + 24), 400u + 92u + 45u);
  EXPECT_EQ(U32(bank, empty + 46 + 20), 400u + 2u * 92u);
}

TEST(SoundFont, KeyRangesWithIntervalsWhiteKeysAndKeyboardEnds) {
  const Document doc = CutDocument(3000, {2000, 4000});
  const auto zones = [&](const KeyMapping& keys) {
    SoundFontSettings settings;
    settings.keys = keys;
    const auto bank = Bank(doc, settings);
    const Chunks c(bank);
    std::vector<int> out;
    for (size_t n = 0; n < 3; ++n) {
      const size_t g = c.At("igen") + 12 * n;
      out.insert(out.end(), {bank[g + 2], bank[g + 3], U16(bank, g + 6)});
    }
    return out;
  };
  EXPECT_EQ(zones({48, 4, false}), (std::vector<int>{46, 50, 48, 51, 55, 53, 56, 60, 58}));
  EXPECT_EQ(zones({48, 4, true}), (std::vector<int>{48, 48, 48, 50, 50, 50, 52, 52, 52}));
  EXPECT_EQ(zones({0, 6, false}), (std::vector<int>{0, 3, 0, 4, 10, 7, 11, 17, 14}));
  EXPECT_EQ(zones({100, 12, false}), (std::vector<int>{94, 106, 100, 107, 119, 113, 120, 127, 126}));
  SoundFontSettings tooHigh;
  tooHigh.keys = {101, 12, false};
  EXPECT_FALSE(BuildSoundFont(doc, tooHigh, kDay).has_value());
}

TEST(SoundFont, SmoothingFadesTheLast100Points) {
  const Document doc = CutDocument(1000, {800});
  const auto bank = Bank(doc);
  const Chunks c(bank);
  const size_t smpl = c.At("smpl");
  EXPECT_TRUE(std::equal(bank.begin() + static_cast<long>(smpl), bank.begin() + static_cast<long>(smpl) + 600,
                         doc.SampleStream.begin()));
  for (int k : {0, 1, 49, 98, 99}) {
    const int16_t original = doc.SampleAt(600 + 2 * k);
    const auto expected = static_cast<int16_t>(std::nearbyint(original * (99.0L - k) * (1.0L / 99.0L)));
    EXPECT_EQ(SampleAt(bank, smpl + 600 + 2 * static_cast<size_t>(k)), expected) << k;
  }
  EXPECT_EQ(SampleAt(bank, smpl + 798), 0);
  EXPECT_EQ(SampleAt(bank, smpl + 600), doc.SampleAt(600));
  // The second slice starts after the padding, unfaded.
  EXPECT_EQ(SampleAt(bank, smpl + 800 + 184), doc.SampleAt(800));
}

TEST(SoundFont, ShortSlicesFadeOverWhatTheyHave) {
  std::vector<uint8_t> bytes = test::Pcm16({9, 9, 1000, 900, 800, 700, 9, 9});
  SmoothSliceEnd(bytes.data() + 4, 8);  // four points: factors 3/3, 2/3, 1/3, 0
  EXPECT_EQ(bytes, test::Pcm16({9, 9, 1000, 600, 267, 0, 9, 9}));

  std::vector<uint8_t> one = test::Pcm16({5, -32768, 5});
  SmoothSliceEnd(one.data() + 2, 2);
  EXPECT_EQ(one, test::Pcm16({5, 0, 5}));
  SmoothSliceEnd(one.data() + 2, 0);  // an empty slice has nothing to fade
  EXPECT_EQ(one, test::Pcm16({5, 0, 5}));

  // In a bank, a 10-point slice ends at 0 and its neighbours are untouched.
  Document doc = CutDocument(600, {500, 520});
  const auto bank = Bank(doc);
  const Chunks c(bank);
  const size_t second = c.At("smpl") + 500 + 184;
  EXPECT_EQ(SampleAt(bank, second), doc.SampleAt(500));
  EXPECT_EQ(SampleAt(bank, second + 2), static_cast<int16_t>(std::nearbyint(doc.SampleAt(502) * 8.0 / 9.0)));
  EXPECT_EQ(SampleAt(bank, second + 18), 0);
  EXPECT_TRUE(std::all_of(bank.begin() + static_cast<long>(second) + 20,
                          bank.begin() + static_cast<long>(second) + 204, [](uint8_t b) { return b == 0; }));
  EXPECT_EQ(SampleAt(bank, second + 204), doc.SampleAt(520));
}

TEST(SoundFont, WriteReportsKeysAndSaveFailures) {
  test::TempDir dir;
  const Document doc = CutDocument(500, {});
  EXPECT_EQ(WriteSoundFont(doc, {}, kDay, dir.Path("bank.sf2")), SoundFontResult::Saved);
  EXPECT_EQ(WriteSoundFont(doc, {}, kDay, dir.Path("none/bank.sf2")), SoundFontResult::SaveFailed);
  SoundFontSettings high;
  high.keys.baseKey = 127;
  EXPECT_EQ(WriteSoundFont(doc, high, kDay, dir.Path("high.sf2")), SoundFontResult::KeysExceeded);
}

TEST(CreationDate, FormatsLongMonthDayCommaYear) {
  EXPECT_EQ(FormatCreationDate({2026, 12, 7}), "December 7 ,2026");
  EXPECT_EQ(FormatCreationDate({1999, 5, 31}), "May 31 ,1999");
  const CalendarDate epoch = DateFromEpochSeconds(0);
  EXPECT_EQ(FormatCreationDate(epoch), "January 1 ,1970");
  const CalendarDate leap = DateFromEpochSeconds(951782400);  // 2000-02-29 00:00 UTC
  EXPECT_EQ(FormatCreationDate(leap), "February 29 ,2000");
  EXPECT_EQ(FormatCreationDate(DateFromEpochSeconds(951782399)), "February 28 ,2000");
}

// The opcodes of each <region> line; the sample path runs to the end of the line.
std::vector<std::map<std::string, std::string>> SfzRegions(const std::vector<uint8_t>& text) {
  std::vector<std::map<std::string, std::string>> regions;
  std::istringstream lines(std::string(text.begin(), text.end()));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("<region>", 0) != 0) continue;
    std::map<std::string, std::string> opcodes;
    const size_t sample = line.find(" sample=");
    if (sample != std::string::npos) opcodes["sample"] = line.substr(sample + 8);
    std::istringstream words(line.substr(8, sample - 8));
    for (std::string word; words >> word;) {
      const size_t eq = word.find('=');
      opcodes[word.substr(0, eq)] = word.substr(eq + 1);
    }
    regions.push_back(opcodes);
  }
  return regions;
}

TEST(Sfz, EachRegionTakesTheKeyAndTheSampleDataOfTheBanksZone) {
  // 11 active points; the region holds 3 slices of 600, 1000 and 402 bytes.
  Document doc = CutDocument(3000, {100, 300, 900, 1900, 2302, 3000, 3500, 4000, 4500, 5000, 5500});
  doc.LeftLocatorPos = 300;
  doc.RightLocatorPos = 2302;
  for (const KeyMapping& keys :
       {KeyMapping{48, 0, false}, KeyMapping{50, 2, false}, KeyMapping{60, 0, true}}) {
    for (const bool smooth : {true, false}) {
      SoundFontSettings settings;
      settings.keys = keys;
      settings.smoothEnds = smooth;
      const auto bank = Bank(doc, settings);
      const Chunks c(bank);
      const auto set = BuildSfz(doc, settings, "kits/my loop.sfz");
      ASSERT_TRUE(set);
      EXPECT_EQ(set->folder, "kits/my loop_samples");
      const auto regions = SfzRegions(set->text);
      ASSERT_EQ(regions.size(), 3u);
      ASSERT_EQ(set->samples.size(), 3u);
      size_t smpl = c.At("smpl");
      for (size_t n = 0; n < 3; ++n) {
        const std::string key = std::to_string(U16(bank, c.At("igen") + 12 * n + 6));
        auto region = regions[n];
        EXPECT_EQ(region["lokey"], key);
        EXPECT_EQ(region["hikey"], key);
        EXPECT_EQ(region["pitch_keycenter"], key);
        EXPECT_EQ(region["loop_mode"], "one_shot");
        const FolderFile& sample = set->samples[n];
        EXPECT_EQ(sample.name, "my loop0" + std::to_string(n + 1) + ".wav");
        EXPECT_EQ(region["sample"], "my loop_samples/" + sample.name);
        // A WAV file of the slice's format whose data is the bank's sample, faded alike.
        const uint32_t length = U32(sample.bytes, 42);
        ASSERT_EQ(sample.bytes.size(), WaveHeaderSize + length);
        const auto header = BuildWaveImage(doc, 0, static_cast<int32_t>(length));
        EXPECT_TRUE(std::equal(header.begin(), header.begin() + WaveHeaderSize, sample.bytes.begin()));
        EXPECT_TRUE(std::equal(sample.bytes.begin() + WaveHeaderSize, sample.bytes.end(),
                               bank.begin() + static_cast<long>(smpl)));
        smpl += length + 184;
      }
      EXPECT_EQ(smpl, c.At("smpl") + c.Size("smpl"));
    }
  }
  SoundFontSettings tooHigh;
  tooHigh.keys = {125, 0, false};
  EXPECT_FALSE(BuildSfz(doc, tooHigh, "x.sfz"));
  // A sample path runs to the end of its line, so a line break in the name cannot stay.
  const auto broken = BuildSfz(doc, {}, "kits/two\nlines.sfz");
  EXPECT_EQ(broken->folder, "kits/two_lines_samples");
  EXPECT_EQ(SfzRegions(broken->text).at(2)["sample"], "two_lines_samples/two_lines03.wav");
  EXPECT_EQ(BuildSfz(doc, {}, "kits/my.loop.sfz")->folder, "kits/my.loop_samples");
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every entry under a folder with its bytes, hidden ones included.
std::map<std::string, std::vector<uint8_t>> Tree(const std::string& folder) {
  std::map<std::string, std::vector<uint8_t>> tree;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    tree[std::filesystem::relative(entry.path(), folder).string()] =
        entry.is_regular_file() ? FileBytes(entry.path().string()) : std::vector<uint8_t>{};
  }
  return tree;
}

TEST(Sfz, ASaveReplacesTheOlderSetWholeAndAFailedOneLeavesItAsItWas) {
  test::TempDir dir;
  const std::string sfz = dir.Path("kit.sfz");
  ASSERT_EQ(WriteSfz(CutDocument(1000, {400, 1200}), {}, sfz), SfzResult::Saved);
  const Document two = CutDocument(1000, {900});
  ASSERT_EQ(WriteSfz(two, {}, sfz), SfzResult::Saved);
  const auto expected = BuildSfz(two, {}, sfz);
  auto saved = Tree(dir.Path(""));
  EXPECT_EQ(saved.size(), 4u);  // kit.sfz, the folder and its two samples; the older third is gone
  EXPECT_EQ(saved["kit.sfz"], expected->text);
  EXPECT_EQ(saved["kit_samples/kit2.wav"], expected->samples[1].bytes);

  // Cut short part-way through the samples, as a full disk would.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
  rlimit small = oldLimit;
  small.rlim_cur = 500;  // the first sample fits, the second does not
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const SfzResult cut = WriteSfz(CutDocument(1000, {100, 1000, 1900}), {}, sfz);
  ::setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(cut, SfzResult::SaveFailed);
  EXPECT_EQ(Tree(dir.Path("")), saved);

  // A folder name held by a file is not replaced.
  const std::string other = dir.Path("other.sfz");
  dir.Write("other_samples", {1, 2});
  EXPECT_EQ(WriteSfz(two, {}, other), SfzResult::SaveFailed);
  saved["other_samples"] = {1, 2};
  EXPECT_EQ(Tree(dir.Path("")), saved);

  SoundFontSettings high;
  high.keys.baseKey = 127;
  EXPECT_EQ(WriteSfz(two, high, sfz), SfzResult::KeysExceeded);

  // Saved through a link, the samples lie beside the file the link names.
  std::filesystem::create_directory(dir.Path("real"));
  std::filesystem::create_symlink("real/drums.sfz", dir.Path("link.sfz"));
  ASSERT_EQ(WriteSfz(two, {}, dir.Path("link.sfz")), SfzResult::Saved);
  const auto linked = Tree(dir.Path("real"));
  EXPECT_EQ(linked.size(), 4u);  // drums.sfz, its folder and two samples
  EXPECT_EQ(linked.at("drums.sfz"), BuildSfz(two, {}, dir.Path("real/drums.sfz"))->text);
  EXPECT_EQ(linked.count("drums_samples/drums2.wav"), 1u);
}

}  // namespace
}  // namespace slicewright
