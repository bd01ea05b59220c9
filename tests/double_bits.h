// A double's bits and back: for tests that compare results to the bit,
// the sign of zero and the kind of NaN included.
#pragma once

#include <cstdint>
#include <cstring>

inline uint64_t BitsOf(double v) {
  uint64_t b;
  std::memcpy(&b, &v, sizeof b);
  return b;
}

inline double FromBits(uint64_t b) {
  double v;
  std::memcpy(&v, &b, sizeof v);
  return v;
}
