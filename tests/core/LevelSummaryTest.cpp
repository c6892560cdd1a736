#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "EditTestDocument.h"
#include "edit/Paste.h"
#include "edit/SegmentEdits.h"
#include "edit/Undo.h"
#include "view/PixelMapping.h"
#include "view/WaveColumns.h"

namespace slicewright {
namespace {

// The column rule read straight off the samples: each column takes the
// rounded share of what is left, raised to whole samples, and shows the
// lowest and highest sample div 256 among its bytes, both starting at 0.
std::vector<WaveColumn> DirectColumns(const Document& doc, int32_t width) {
  std::vector<WaveColumn> columns(static_cast<size_t>(width));
  int64_t consumed = 0;
  for (int32_t i = 1; i <= width; ++i) {
    int64_t n =
        std::llround(std::nearbyint(static_cast<double>(doc.ViewLength - consumed) / (width - i + 1)));
    if (n % 2 != 0) ++n;
    n = std::clamp<int64_t>(n, 0, std::max<int64_t>(doc.ViewLength - consumed, 0));
    WaveColumn& column = columns[static_cast<size_t>(i - 1)];
    column.bytes = static_cast<int32_t>(n);
    for (int64_t at = std::max<int64_t>(doc.ViewStart + consumed, 0);
         at + 1 < std::min<int64_t>(doc.ViewStart + consumed + n, doc.DataLength); at += 2) {
      const int32_t level = doc.SampleAt(static_cast<int32_t>(at)) / 256;
      column.low = std::min(column.low, level);
      column.high = std::max(column.high, level);
    }
    consumed += n;
  }
  return columns;
}

bool SameColumns(const std::vector<WaveColumn>& a, const std::vector<WaveColumn>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const WaveColumn& x, const WaveColumn& y) {
    return x.bytes == y.bytes && x.low == y.low && x.high == y.high;
  });
}

// Loud and quiet stretches, so columns differ and levels reach both ends.
std::vector<int16_t> RandomAudio(std::mt19937& rng, size_t count) {
  std::vector<int16_t> samples(count);
  std::uniform_int_distribution<int> amplitude(0, 32768);
  int level = 1000;
  for (size_t i = 0; i < count; ++i) {
    if (i % 3000 == 0) level = amplitude(rng);
    samples[i] =
        static_cast<int16_t>(std::uniform_int_distribution<int>(-level, std::min(level, 32767))(rng));
  }
  return samples;
}

// A random view: the whole file, a zoom that may start between a sample's
// bytes, or one that reaches past the data.
void RandomView(std::mt19937& rng, Document& doc) {
  const int32_t length = doc.DataLength;
  switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
    case 0:
      doc.ViewWholeFile();
      break;
    case 1: {
      doc.ViewStart = std::uniform_int_distribution<int32_t>(0, length - 1)(rng);
      doc.ViewEnd = std::uniform_int_distribution<int32_t>(doc.ViewStart, length)(rng);
      break;
    }
    default:
      doc.ViewStart = std::uniform_int_distribution<int32_t>(0, length)(rng) & ~1;
      doc.ViewEnd = doc.ViewStart + std::uniform_int_distribution<int32_t>(0, length)(rng);
  }
  doc.ViewLength = doc.ViewEnd - doc.ViewStart;
}

// An edit through the real edit commands, each of which keeps the summary in step.
void RandomEdit(std::mt19937& rng, Document& doc) {
  const auto byte = [&] {
    return static_cast<double>(std::uniform_int_distribution<int32_t>(0, doc.DataLength)(rng));
  };
  switch (std::uniform_int_distribution<int>(0, 5)(rng)) {
    case 0:
      test::Finish(doc, ReverseSegment(doc, byte()));
      break;
    case 1:
      test::Finish(doc, SilenceSegment(doc, byte()));
      break;
    case 2: {
      const auto start = static_cast<int32_t>(byte()) & ~1;
      const auto clip = test::Wave(RandomAudio(rng, std::uniform_int_distribution<size_t>(1, 5000)(rng)));
      test::Finish(doc, PasteIntoSegment(doc, clip, start, (doc.DataLength - start) / 3 & ~1));
      break;
    }
    case 3:
      test::UndoAndFinish(doc);
      break;
    case 4: {
      const auto clip = test::Wave(RandomAudio(rng, std::uniform_int_distribution<size_t>(100, 60000)(rng)));
      test::Finish(doc, PasteAllAndKeep(doc, clip));
      break;
    }
    default:
      doc.LeftLocatorPos = static_cast<int32_t>(byte()) & ~1;
      doc.RightLocatorPos = std::min(doc.LeftLocatorPos + 4000, doc.DataLength);
      test::Finish(doc, CropRegion(doc));
  }
}

TEST(LevelSummary, ColumnsOfAnyViewMatchTheSamplesThroughEdits) {
  std::mt19937 rng(12);
  for (int document = 0; document < 12; ++document) {
    const size_t samples = std::uniform_int_distribution<size_t>(1, 200000)(rng);
    Document doc =
        test::EditDocument(RandomAudio(rng, samples), {test::Point(static_cast<int32_t>(samples) & ~1)});
    doc.SamplesReplaced();
    for (int view = 0; view < 300; ++view) {
      if (view % 10 == 9) RandomEdit(rng, doc);
      RandomView(rng, doc);
      const int32_t width = std::uniform_int_distribution<int32_t>(1, 2000)(rng);
      ASSERT_TRUE(doc.Levels.Covers(doc.DataLength / 2));
      ASSERT_TRUE(SameColumns(WaveColumns(doc, width), DirectColumns(doc, width)))
          << "document " << document << " view " << view << ": " << doc.ViewStart << " + " << doc.ViewLength
          << " over " << width;
    }
  }
}

TEST(LevelSummary, RangesMatchAScanAndTheSummaryStaysSmall) {
  std::mt19937 rng(3);
  const std::vector<uint8_t> bytes = test::Pcm16(RandomAudio(rng, 100001));
  LevelSummary summary;
  summary.Build(bytes);
  EXPECT_LE(summary.MemoryBytes() * 8, static_cast<int64_t>(bytes.size()));
  for (int i = 0; i < 5000; ++i) {
    const int64_t first = std::uniform_int_distribution<int64_t>(0, 100001)(rng);
    const int64_t last = std::uniform_int_distribution<int64_t>(first, 100001)(rng);
    const LevelRange got = summary.Range(bytes, first, last);
    const LevelRange want = ScanLevels(bytes, first, last);
    ASSERT_TRUE(got.low == want.low && got.high == want.high) << first << " .. " << last;
  }
}

}  // namespace
}  // namespace slicewright
