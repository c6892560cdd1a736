#pragma once

#include "detect/Real48.h"

namespace slicewright {

// The weights of the transient detector as it stores them: 6-byte reals
// close to, not exactly, their decimals.
struct Weights {
  long double preEmphasis = RoundToReal48(0.63L);
  long double trackerGain = RoundToReal48(0.495L);  // the old value keeps the exact weight 0.5
  long double envNew = RoundToReal48(0.459L);
  long double envHist1 = RoundToReal48(0.4L);
  long double envHist2 = RoundToReal48(0.3L);
  long double fastNew = RoundToReal48(0.5L);
  long double fastSlow = RoundToReal48(0.495L);
};

inline const Weights& DetectorWeights() {
  static const Weights weights;
  return weights;
}

}  // namespace slicewright
