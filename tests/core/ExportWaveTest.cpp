#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "TestWaves.h"
#include "export/FileSave.h"
#include "export/RegionSlices.h"
#include "export/SegmentUnderPointer.h"
#include "export/WaveFileExport.h"
#include "export/WaveImage.h"

namespace slicewright {
namespace {

// A mono 44.1 kHz document of `samples` counting samples, cut at the given
// byte positions, with the locators spanning the file.
Document CutDocument(int32_t samples, const std::vector<int32_t>& cuts) {
  Document doc;
  doc.SampleRate = 44100;
  doc.AvgBytesPerSec = 88200;
  std::vector<int16_t> values(static_cast<size_t>(samples));
  for (int32_t i = 0; i < samples; ++i) values[static_cast<size_t>(i)] = static_cast<int16_t>(i * 7 - 3000);
  doc.SampleStream = test::Pcm16(values);
  doc.DataLength = 2 * samples;
  doc.ActivePointCount = static_cast<int32_t>(cuts.size());
  doc.ActivePoints[0] = SlicePoint{};
  for (size_t k = 0; k < cuts.size(); ++k) doc.ActivePoints[k + 1] = SlicePoint{cuts[k], 40000, true, false};
  doc.ActivePoints[cuts.size() + 1] = SlicePoint{doc.DataLength, 0, false, false};
  doc.LeftLocatorPos = 0;
  doc.RightLocatorPos = doc.DataLength;
  doc.ViewStart = 0;
  doc.ViewEnd = doc.ViewLength = doc.DataLength;
  return doc;
}

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WaveImage, HeaderFieldsAndDataOfTheRange) {
  Document doc = CutDocument(100, {});
  doc.AvgBytesPerSec = 12345;                      // copied as it stands, not recomputed
  const auto image = BuildWaveImage(doc, 10, 21);  // an odd length gets no pad byte
  test::Bytes expected;
  expected.Text("RIFF").U32(21 + 38).Text("WAVE").Text("fmt ").U32(18);
  expected.U16(1).U16(1).U32(44100).U32(12345).U16(2).U16(16).U16(0);
  expected.Text("data").U32(21);
  expected.data.insert(expected.data.end(), doc.SampleStream.begin() + 10, doc.SampleStream.begin() + 31);
  EXPECT_EQ(image, expected.data);
}

TEST(WaveImage, RangePastTheDataIsCutToTheBytesPresent) {
  const Document doc = CutDocument(10, {});
  const auto image = BuildWaveImage(doc, 16, 100);
  ASSERT_EQ(image.size(), 46u + 4u);
  EXPECT_EQ(U32At(image, 4), image.size() - 8);
  EXPECT_EQ(U32At(image, 42), 4u);
  EXPECT_EQ(BuildWaveImage(doc, 40, 10).size(), 46u);
}

TEST(RegionSlices, CutsTheRegionAtActivePointsStrictlyInside) {
  Document doc = CutDocument(1000, {200, 600, 1200, 1600});
  EXPECT_EQ(RegionSlices(doc),
            (std::vector<ByteRange>{{0, 200}, {200, 400}, {600, 600}, {1200, 400}, {1600, 400}}));

  doc.LeftLocatorPos = 600;  // on a point: that point does not cut
  doc.RightLocatorPos = 1600;
  EXPECT_EQ(RegionSlices(doc), (std::vector<ByteRange>{{600, 600}, {1200, 400}}));

  doc.LeftLocatorPos = 700;  // locators left inside segments after point edits
  doc.RightLocatorPos = 1100;
  EXPECT_EQ(RegionSlices(doc), (std::vector<ByteRange>{{700, 400}}));
}

TEST(RegionSlices, CoincidentPointsAndEmptyRegions) {
  Document doc = CutDocument(1000, {400, 400, 800});
  EXPECT_EQ(RegionSlices(doc), (std::vector<ByteRange>{{0, 400}, {400, 0}, {400, 400}, {800, 1200}}));
  doc.LeftLocatorPos = doc.RightLocatorPos = 400;
  EXPECT_EQ(RegionSlices(doc), (std::vector<ByteRange>{{400, 0}}));
  doc.LeftLocatorPos = doc.RightLocatorPos = doc.DataLength;
  EXPECT_EQ(RegionSlices(doc), (std::vector<ByteRange>{{2000, 0}}));
  doc.LeftLocatorPos = 1800;
  doc.RightLocatorPos = 5000;  // a stale locator never reaches past the data
  EXPECT_EQ(RegionSlices(doc), (std::vector<ByteRange>{{1800, 200}}));
}

TEST(SliceNames, PaddingFollowsTheDocumentsSegmentCount) {
  EXPECT_EQ(SliceFileName("/loops/beat.wav", 1, 11), "/loops/beat01.wav");
  EXPECT_EQ(SliceFileName("/loops/beat.wav", 12, 11), "/loops/beat12.wav");
  EXPECT_EQ(SliceFileName("beat.wav", 3, 8), "beat3.wav");
  EXPECT_EQ(SliceFileName("beat.wav", 3, 9), "beat03.wav");
  EXPECT_EQ(SliceFileName("beat.wav", 1, 0), "beat1.wav");
  EXPECT_EQ(SliceFileName("beat.aif", 1, 0), "beat1.wav");  // any 4-character extension goes
  EXPECT_EQ(SliceFileName(WithDefaultExtension("beat", "wav"), 1, 9), "beat01.wav");
  EXPECT_EQ(WithDefaultExtension("dir.v2/beat", "wav"), "dir.v2/beat.wav");
  EXPECT_EQ(WithDefaultExtension("beat.WAV", "wav"), "beat.WAV");
  EXPECT_EQ(WaveFileName("take.aif"), "take.wav");
}

TEST(SegmentUnderPointer, RangesOfFirstMiddleAndLastSegments) {
  Document doc = CutDocument(1000, {500, 1200});   // segments 0-500, 500-1200, 1200-2000
  auto first = SegmentUnderPointer(doc, 10, 200);  // byte 100
  EXPECT_EQ(first.index, 1);
  EXPECT_EQ(first.start, 0);
  EXPECT_EQ(first.length, 498);  // one sample short, as the segment save has always written it
  EXPECT_EQ(doc.SelectedSegment, 1);

  auto middle = SegmentUnderPointer(doc, 100, 200);  // byte 1000
  EXPECT_EQ(middle.index, 2);
  EXPECT_EQ(middle.start, 500);
  EXPECT_EQ(middle.length, 700);
  EXPECT_EQ(SegmentUnderPointer(doc, 50, 200).index, 2);  // exactly on a point: the segment that starts there

  auto last = SegmentUnderPointer(doc, 190, 200);
  EXPECT_EQ(last.index, 3);
  EXPECT_EQ(last.start, 1200);
  EXPECT_EQ(last.length, 800);
  EXPECT_EQ(doc.SelectedSegment, 3);
  EXPECT_EQ(SegmentUnderPointer(doc, 500, 200).index, 3);  // right of the area
  EXPECT_EQ(SegmentUnderPointer(doc, -5, 200).index, 1);
}

TEST(SegmentUnderPointer, ZoomedViewAndDegenerateInputs) {
  Document doc = CutDocument(1000, {500, 1200});
  doc.ViewStart = 1000;
  doc.ViewLength = 400;
  EXPECT_EQ(SegmentUnderPointer(doc, 99, 200).index, 2);
  EXPECT_EQ(SegmentUnderPointer(doc, 100, 200).index, 3);  // byte 1200

  Document whole = CutDocument(1000, {});
  const auto all = SegmentUnderPointer(whole, 120, 200);
  EXPECT_EQ(all.start, 0);
  EXPECT_EQ(all.length, 2000);
  EXPECT_EQ(SegmentUnderPointer(whole, 120, 0).length, 2000);  // no width yet

  // A point at byte 0 leaves the first segment empty; the pointer there is in the next.
  Document atZero = CutDocument(1000, {0, 800});
  EXPECT_EQ(SegmentUnderPointer(atZero, 0, 200).index, 2);
  EXPECT_EQ(SegmentUnderPointer(atZero, 0, 200).length, 800);
}

TEST(FileSave, CreatesAndReplacesWithoutLeavingTemporaries) {
  test::TempDir dir;
  const std::string path = dir.Path("out.bin");
  ASSERT_TRUE(SaveFileReplacing(path, {1, 2, 3}));
  ASSERT_TRUE(SaveFileReplacing(path, {9}));
  EXPECT_EQ(ReadFile(path), std::vector<uint8_t>{9});
  // The longest name a folder takes, whose temporary name must be shorter.
  const std::string longest = dir.Path(std::string(251, 'n') + ".sfz");
  ASSERT_TRUE(SaveFileWithFolder(longest, {7}, dir.Path(std::string(255, 'f')), {{"1.wav", {1}}}));
  EXPECT_EQ(ReadFile(longest), std::vector<uint8_t>{7});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")), {}), 3);
}

TEST(FileSave, ReplacingKeepsPermissionsAndFollowsLinks) {
  test::TempDir dir;
  const std::string path = dir.Write("kept.bin", {1});
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  std::filesystem::create_symlink(path, dir.Path("link.bin"));
  ASSERT_TRUE(SaveFileReplacing(dir.Path("link.bin"), {7, 7}));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("link.bin")));
  EXPECT_EQ(ReadFile(path), (std::vector<uint8_t>{7, 7}));
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

// Several exports at once (batch) must each see the mask without disturbing
// it for the others.
TEST(FileSave, NewFilesAndFoldersFollowTheCreationMaskFromSeveralThreads) {
  test::TempDir dir;
  const mode_t oldMask = ::umask(027);
  std::atomic<bool> saved{true};
  std::vector<std::thread> savers;
  for (int t = 0; t < 4; ++t) {
    savers.emplace_back([&dir, &saved, t] {
      for (int i = 0; i < 40; ++i) {
        const std::string name = std::to_string(100 * t + i);
        if (!SaveFileReplacing(dir.Path(name + ".bin"), {1}) ||
            !SaveFileWithFolder(dir.Path(name + ".sfz"), {2}, dir.Path(name + "_samples"),
                                {{"a.wav", {3}}})) {
          saved = false;
        }
      }
    });
  }
  for (std::thread& saver : savers) saver.join();
  EXPECT_EQ(::umask(oldMask), mode_t{027});
  ASSERT_TRUE(saved);
  using std::filesystem::perms;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path(""))) {
    const perms expected = entry.is_directory() ? perms::owner_all | perms::group_read | perms::group_exec
                                                : perms::owner_read | perms::owner_write | perms::group_read;
    EXPECT_EQ(entry.status().permissions() & perms::all, expected) << entry.path();
  }
}

TEST(FileSave, FailureLeavesTheOldFileIntact) {
  test::TempDir dir;
  EXPECT_FALSE(SaveFileReplacing(dir.Path("missing/out.bin"), {1}));
  EXPECT_FALSE(SaveFileReplacing("", {1}));
  std::filesystem::create_directory(dir.Path("folder"));
  EXPECT_FALSE(SaveFileReplacing(dir.Path("folder"), {1}));

  const std::string good = dir.Write("good.wav", {5, 5, 5});
  if (::geteuid() != 0) {  // root ignores folder permissions
    std::filesystem::permissions(dir.Path(""), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(SaveFileReplacing(good, {1}));
    std::filesystem::permissions(dir.Path(""), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(ReadFile(good), (std::vector<uint8_t>{5, 5, 5}));
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")), {}), 2);
}

TEST(FileSave, AWriteCutShortLeavesTheOldFileIntact) {
  test::TempDir dir;
  const std::string good = dir.Write("good.sf2", {5, 5, 5});
  // A file size limit makes the write fail part-way, as a full disk does.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
  rlimit small = oldLimit;
  small.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool saved = SaveFileReplacing(good, std::vector<uint8_t>(1000, 1));
  ::setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFile(good), (std::vector<uint8_t>{5, 5, 5}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")), {}), 1);
}

TEST(SliceFiles, WritesEverySliceAndGoesOnAfterAFailure) {
  test::TempDir dir;
  Document doc = CutDocument(1000, {200, 600, 1200, 1600, 1800, 1900, 1950, 1960, 1970});
  doc.LeftLocatorPos = 200;
  doc.RightLocatorPos = 1600;
  // A folder where slice 02 should go makes that one save fail.
  std::filesystem::create_directory(dir.Path("cut02.wav"));
  std::vector<int32_t> reported;
  const auto results = WriteSliceFiles(
      doc, dir.Path("cut.wav"),
      [&](const SliceFileResult&, int32_t n, int32_t count) { reported.push_back(n * 10 + count); });
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(reported, (std::vector<int32_t>{13, 23, 33}));
  EXPECT_TRUE(results[0].saved);
  EXPECT_FALSE(results[1].saved);
  EXPECT_TRUE(results[2].saved);
  EXPECT_EQ(results[2].fileName, dir.Path("cut03.wav"));
  const auto third = ReadFile(dir.Path("cut03.wav"));
  EXPECT_EQ(third, BuildWaveImage(doc, 1200, 400));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("cut.wav")));  // the typed name itself is never written
}

}  // namespace
}  // namespace slicewright
