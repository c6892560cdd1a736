#include "app/OptionsPreview.h"

#include <algorithm>
#include <cmath>

#include "view/PixelMapping.h"

namespace slicewright {

int PreviewZeroRow(int height) { return height / 2; }

int PreviewSineRow(int x, int height) {
  return RoundHalfEven(std::sin((x + 23) * 0.05) * height * 5 / 11 + height * 0.5);
}

PreviewPicture::PreviewPicture(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      inks_(static_cast<size_t>(width_) * height_, PreviewInk::Background) {
  for (int x = 0; x < width_; ++x) {
    Set(x, 0, PreviewInk::Border);
    Set(x, height_ - 1, PreviewInk::Border);
  }
  for (int y = 0; y < height_; ++y) {
    Set(0, y, PreviewInk::Border);
    Set(width_ - 1, y, PreviewInk::Border);
  }
  const int zeroRow = PreviewZeroRow(height_);
  // Column W lies just outside the picture and draws nothing.
  for (int x = 1; x <= width_; ++x)
    VerticalLine(x, zeroRow, PreviewSineRow(x, height_), PreviewInk::Waveform);
  for (int x : PreviewCutColumns) VerticalLine(x, 0, height_, PreviewInk::CutLine);
  for (int x = 0; x < width_; ++x) Set(x, zeroRow, PreviewInk::ZeroLine);
}

void PreviewPicture::Set(int x, int y, PreviewInk ink) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  inks_[static_cast<size_t>(y) * width_ + x] = ink;
}

void PreviewPicture::VerticalLine(int x, int fromY, int toY, PreviewInk ink) {
  const int step = toY >= fromY ? 1 : -1;
  for (int y = fromY; y != toY; y += step) Set(x, y, ink);
}

}  // namespace slicewright
