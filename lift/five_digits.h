// The five significant digits of a positive finite double, as the host
// platform's "%.5g" chooses them: the exact decimal value rounded to 17
// significant digits, then that 17-digit decimal rounded to five on its
// sixth digit alone, both times with halves rounded away from zero.
//
// The double is given as significand * 2^exponent with the significand's
// top bit at bit 52 (subnormals are normalised first).
//
// Both routes work on D = floor(x * 10^p), an integer of 18 or 19 digits,
// for p = 17 - k where 10^k <= 2^(exponent + 52) <= x:
//   x lies in [10^k, 2 * 10^(k+1)), so D lies in [10^17, 2 * 10^18);
//   the 17-digit rounding of x is that of D, since x * 10^p lies in
//   [D, D + 1) and the rounding boundaries are whole numbers: no sticky
//   bit is needed;
//   rounding those 17 digits to five, halves up, rounds up exactly when
//   D >= 10^13 * R + 5 * 10^12 - 5 (D of 18 digits, R its first five), or
//   D >= 10^14 * R + 5 * 10^13 - 50 (19 digits); a carry to 100000 is one
//   more decimal exponent.
//
// The fast route scales by 10^(4-k) instead, so that F = x * 10^(4-k) lies
// in [10^4, 2 * 10^5): its whole part holds the first five or six digits
// and the rounding is read off its fraction. In those terms D >= boundary
// becomes, for five whole digits, a fraction of at least 1/2 - 5 * 10^-13,
// and for six, a last whole digit of 5 or more, or of 4 with a fraction of
// at least 1 - 5 * 10^-12. F comes from one 64-by-64-bit product with a
// power of ten rounded up to 64 bits, so it overshoots by a bound that the
// code works out; only a fraction within that bound of a threshold is left
// to the exact route.
//
// The code runs on a 32-bit processor too. There it uses no 64-bit
// division (the compiler would call a runtime helper that the module does
// not have) and no 128-bit integers; natively it uses both, which the
// compiler turns into a few multiplications.
//
// The fast route is inline: it runs for every number of every status line.
#pragma once

#include <stdint.h>

#include "lift/pow10_table.h"

struct FIVEDIGITS {
  uint32_t digits;  // 10000 .. 99999
  int exponent;     // decimal exponent X of the first digit
};

// floor(log10(2^n)) for -1074 <= n <= 1023; checked exhaustively by the
// script that writes the table. The shift of a negative value is
// arithmetic, which is what both compilers of this module do.
inline int FloorLog10Pow2(int n) { return (n * 78913) >> 18; }

#if defined(__SIZEOF_INT128__) && !defined(VANTREL_PORTABLE_ARITHMETIC)

__extension__ typedef unsigned __int128 UINT128;

// The high 64 bits of a * b, and the low ones.
inline uint64_t MultiplyFull(uint64_t a, uint64_t b, uint64_t *low) {
  const UINT128 product = static_cast<UINT128>(a) * b;
  *low = static_cast<uint64_t>(product);
  return static_cast<uint64_t>(product >> 64);
}

#else

// The same from 32-bit halves: the four partial products and their carries.
inline uint64_t MultiplyFull(uint64_t a, uint64_t b, uint64_t *low) {
  const uint64_t aLow = a & 0xFFFFFFFF, aHigh = a >> 32;
  const uint64_t bLow = b & 0xFFFFFFFF, bHigh = b >> 32;
  const uint64_t ll = aLow * bLow;
  const uint64_t lh = aLow * bHigh;
  const uint64_t hl = aHigh * bLow;
  const uint64_t hh = aHigh * bHigh;
  const uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFF) + (hl & 0xFFFFFFFF);
  *low = (middle << 32) | (ll & 0xFFFFFFFF);
  return hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
}

#endif

// floor((1/2 - 5 * 10^-13) * 2^64) and floor((1 - 5 * 10^-12) * 2^64): the
// fractions of F where rounding up starts, for five and six whole digits.
constexpr uint64_t ROUND_UP_FIVE_WHOLE = 0x8000000000000000ULL - 9223373;
constexpr uint64_t ROUND_UP_SIX_WHOLE = 0ULL - 92233721;

// Decides in all but about one case in 2^45; false where F's fraction lies
// too near a threshold, and then ExactFiveDigits must decide.
inline bool FastFiveDigits(uint64_t significand, int exponent, FIVEDIGITS *out) {
  const int k = FloorLog10Pow2(exponent + 52);
  const POW10ENTRY &power = POW10_TABLE[4 - k - POW10_MIN];
  // P = (significand << 11) * T has 127 or 128 bits and F = P / 2^shift
  // 14 to 18 whole bits, so shift is 108 to 114: the whole part lies in the
  // high half and the 64 bits below it straddle both halves.
  const uint64_t scaled = significand << 11;
  uint64_t low = 0;
  const uint64_t high = MultiplyFull(scaled, power.significand, &low);
  const int wholeShift = 11 - exponent - power.binaryExponent - 64;
  const uint32_t whole = static_cast<uint32_t>(high >> wholeShift);
  const uint64_t fraction = (high << (64 - wholeShift)) | (low >> wholeShift);
  // T exceeds 10^(4-k) / 2^t by less than one, so F by less than
  // scaled / 2^shift: that many units of the fraction, and one more for
  // the bits cut off below it. The true fraction lies at most that far
  // below the computed one.
  const uint64_t slack = (scaled >> wholeShift) + 1;

  int decimalExponent = k;
  uint32_t five = whole;
  bool roundUp;
  if (whole < 100000) {
    if (fraction - ROUND_UP_FIVE_WHOLE <= slack) return false;
    roundUp = fraction >= ROUND_UP_FIVE_WHOLE;
  } else {
    five = whole / 10;
    const uint32_t last = whole - five * 10;
    if (last == 4 && fraction - ROUND_UP_SIX_WHOLE <= slack) return false;
    roundUp = last >= 5 || (last == 4 && fraction >= ROUND_UP_SIX_WHOLE);
    ++decimalExponent;
  }
  five += roundUp ? 1 : 0;
  if (five == 100000) {  // 99999.5 -> 1.0000e+005: a carry into a new digit
    five = 10000;
    ++decimalExponent;
  }
  *out = FIVEDIGITS{five, decimalExponent};
  return true;
}

// The same result from exact big-integer arithmetic, for every input.
FIVEDIGITS ExactFiveDigits(uint64_t significand, int exponent);

// FastFiveDigits where it decides, ExactFiveDigits otherwise.
inline FIVEDIGITS FiveDigitsOf(uint64_t significand, int exponent) {
  FIVEDIGITS result;
  if (FastFiveDigits(significand, exponent, &result)) return result;
  return ExactFiveDigits(significand, exponent);
}
