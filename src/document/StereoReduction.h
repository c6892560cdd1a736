#pragma once

#include <cstdint>

namespace slicewright {

enum class StereoChoice { Left, Right, Combine };

// One frame of 16-bit stereo reduced to one sample. Combine halves each
// channel with truncation toward zero before the sum, so the sum always fits
// 16 bits (-3 and 7 give -1 + 3 = 2).
inline int16_t ReduceFrame(int16_t left, int16_t right, StereoChoice choice) {
  switch (choice) {
    case StereoChoice::Left:
      return left;
    case StereoChoice::Right:
      return right;
    case StereoChoice::Combine:
      break;
  }
  return static_cast<int16_t>(left / 2 + right / 2);
}

}  // namespace slicewright
