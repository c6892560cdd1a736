#pragma once

namespace slicewright {

// The detector keeps its weights and running values in 6-byte reals: a 40-bit
// significand (rounded to nearest, ties to even) and nothing below 2^-128,
// which is stored as exactly 0. The underflow matters: in digital silence the
// peak followers halve toward zero and must reach exactly 0, or silence would
// trigger onsets. Every such value is exactly representable in a double.
double RoundToReal48(long double x);

}  // namespace slicewright
