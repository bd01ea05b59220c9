// The five significant digits of a positive finite double, as the host
// platform's "%.5g" chooses them: the exact decimal value rounded to 17
// significant digits, then that 17-digit decimal rounded to five on its
// sixth digit alone, both times with halves rounded away from zero.
//
// The double is given as significand * 2^exponent with the significand's
// top bit at bit 52 (subnormals are normalised first).
#pragma once

#include <stdint.h>

struct FIVEDIGITS {
  uint32_t digits;  // 10000 .. 99999
  int exponent;     // decimal exponent X of the first digit
};

// Multiplies by a 128-bit power of ten from a table. Decides in all but a
// vanishing share of cases; false where its error bound cannot rule out a
// wrong floor, and then ExactFiveDigits must decide.
bool FastFiveDigits(uint64_t significand, int exponent, FIVEDIGITS *out);

// The same result from exact big-integer arithmetic, for every input.
FIVEDIGITS ExactFiveDigits(uint64_t significand, int exponent);

// FastFiveDigits where it decides, ExactFiveDigits otherwise.
FIVEDIGITS FiveDigitsOf(uint64_t significand, int exponent);
