#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace slicewright {

// What each pixel of the options dialog's colour preview shows. The preview
// is a synthetic waveform: a sine filled from the centre line, four cut
// lines and the zero line, on the background with a black border.
enum class PreviewInk : uint8_t { Background, Border, Waveform, CutLine, ZeroLine };

// Columns of the four cut lines, whatever the preview's width.
inline constexpr std::array<int, 4> PreviewCutColumns{39, 165, 291, 417};

// Row of the zero line: half the height, truncated.
int PreviewZeroRow(int height);

// Row where the sine of column x ends; its column is filled from the zero
// row up to (not including) this row.
int PreviewSineRow(int x, int height);

// The preview as a width × height grid of inks, row by row. Lines leave out
// their end point, and later lines cover earlier ones: sine, cut lines,
// then the zero line.
class PreviewPicture {
 public:
  PreviewPicture(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  PreviewInk At(int x, int y) const { return inks_[static_cast<size_t>(y) * width_ + x]; }

 private:
  void Set(int x, int y, PreviewInk ink);
  // A vertical line from (x, fromY) towards toY, without its end point.
  void VerticalLine(int x, int fromY, int toY, PreviewInk ink);

  int width_;
  int height_;
  std::vector<PreviewInk> inks_;
};

}  // namespace slicewright
