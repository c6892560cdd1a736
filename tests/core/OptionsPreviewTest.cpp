#include <gtest/gtest.h>

#include "app/OptionsPreview.h"

namespace slicewright {
namespace {

constexpr int kWidth = 450;
constexpr int kHeight = 153;

TEST(OptionsPreview, CutLinesRunTheFullHeightAtTheirFixedColumns) {
  const PreviewPicture picture(kWidth, kHeight);
  EXPECT_EQ(PreviewCutColumns, (std::array<int, 4>{39, 165, 291, 417}));
  for (int x : PreviewCutColumns) {
    for (int y : {0, 1, 40, 75, 77, 151, 152})
      EXPECT_EQ(picture.At(x, y), PreviewInk::CutLine) << x << "," << y;
    EXPECT_NE(picture.At(x + 1, 0), PreviewInk::CutLine);
    EXPECT_NE(picture.At(x - 1, 0), PreviewInk::CutLine);
  }
}

TEST(OptionsPreview, ZeroLineCrossesEverythingAtHalfTheHeight) {
  const PreviewPicture picture(kWidth, kHeight);
  EXPECT_EQ(PreviewZeroRow(kHeight), 76);
  for (int x : {0, 1, 39, 200, 417, 449}) EXPECT_EQ(picture.At(x, 76), PreviewInk::ZeroLine) << x;
  EXPECT_EQ(PreviewZeroRow(10), 5);
  EXPECT_EQ(PreviewZeroRow(11), 5);
}

TEST(OptionsPreview, SineFillsFromTheZeroLineAndLeavesOutItsEndRow) {
  const PreviewPicture picture(kWidth, kHeight);
  // Column 8 is near the crest, column 71 near the trough.
  EXPECT_EQ(PreviewSineRow(8, kHeight), 146);
  EXPECT_EQ(PreviewSineRow(71, kHeight), 7);
  EXPECT_EQ(PreviewSineRow(1, kHeight), 141);
  EXPECT_EQ(picture.At(8, 77), PreviewInk::Waveform);
  EXPECT_EQ(picture.At(8, 145), PreviewInk::Waveform);
  EXPECT_EQ(picture.At(8, 146), PreviewInk::Background);
  EXPECT_EQ(picture.At(8, 75), PreviewInk::Background);
  EXPECT_EQ(picture.At(71, 8), PreviewInk::Waveform);
  EXPECT_EQ(picture.At(71, 7), PreviewInk::Background);
  EXPECT_EQ(picture.At(71, 77), PreviewInk::Background);
}

TEST(OptionsPreview, BorderFramesThePictureExceptWhereLinesCrossIt) {
  const PreviewPicture picture(kWidth, kHeight);
  EXPECT_EQ(picture.At(0, 0), PreviewInk::Border);
  EXPECT_EQ(picture.At(0, 30), PreviewInk::Border);  // the sine starts at column 1
  EXPECT_EQ(picture.At(200, 0), PreviewInk::Border);
  EXPECT_EQ(picture.At(200, kHeight - 1), PreviewInk::Border);
  EXPECT_EQ(picture.At(kWidth - 1, 2), PreviewInk::Border);
  EXPECT_EQ(picture.At(2, 2), PreviewInk::Background);
}

TEST(OptionsPreview, SmallAndEmptyPicturesClipTheirLines) {
  const PreviewPicture narrow(20, 9);
  EXPECT_EQ(narrow.At(19, 4), PreviewInk::ZeroLine);
  for (int y = 0; y < 9; ++y) EXPECT_NE(narrow.At(19, y), PreviewInk::CutLine);
  const PreviewPicture empty(0, 0);
  EXPECT_EQ(empty.Width(), 0);
  const PreviewPicture negative(-5, -5);
  EXPECT_EQ(negative.Height(), 0);
}

}  // namespace
}  // namespace slicewright
