// 10^p as a 64-bit significand T and a binary exponent t, T rounded up,
// for every power the number rendering can ask for.
#pragma once

#include <stdint.h>

struct POW10ENTRY {
  uint64_t significand;  // T, 2^63 <= T < 2^64
  int binaryExponent;    // T * 2^binaryExponent >= 10^p, the least such T
  bool exact;            // T * 2^binaryExponent == 10^p
};

constexpr int POW10_MIN = -303;
inline constexpr POW10ENTRY POW10_TABLE[] = {
#include "lift/pow10_table.inc"
};
