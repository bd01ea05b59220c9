// The text of one number from its five digits and decimal exponent X:
//   X < -4 or X >= 5: exponent form, d.dddde+XXX;
//   otherwise plain form, the point after digit X + 1, or "0." and zeros;
// and in both, zeros at the end of the fraction dropped, then a bare point.
//
// NaNs other than the default one come from the host only (the module's
// own arithmetic makes no other). They follow the host platform's
// template: "1#QNAN" when the top fraction bit is set, else "1#SNAN", cut
// to five characters, with a point after the first and a minus sign for a
// set sign bit: "1.#QNA", "-1.#QNA", "1.#SNA", "-1.#SNA".
#include "lift/status_number.h"

#include <stddef.h>
#include <stdint.h>

#include "lift/five_digits.h"

namespace {

constexpr uint64_t SIGN_BIT = 0x8000000000000000ULL;
constexpr uint64_t EXPONENT_BITS = 0x7FF0000000000000ULL;
constexpr uint64_t FRACTION_BITS = 0x000FFFFFFFFFFFFFULL;
constexpr uint64_t QUIET_BIT = 0x0008000000000000ULL;
constexpr uint64_t DEFAULT_NAN = 0xFFF8000000000000ULL;

constexpr char DIGIT_PAIRS[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

unsigned CopyText(const char *text, char *out) {
  unsigned n = 0;
  while (text[n] != '\0') {
    out[n] = text[n];
    ++n;
  }
  return n;
}

unsigned FormatNonFinite(uint64_t bits, char *out) {
  const bool negative = (bits & SIGN_BIT) != 0;
  if ((bits & FRACTION_BITS) == 0) return CopyText(negative ? "-1.#INF" : "1.#INF", out);
  if (bits == DEFAULT_NAN) return CopyText("-1.#IND", out);
  const char *text = (bits & QUIET_BIT) != 0 ? "1.#QNA" : "1.#SNA";
  unsigned n = 0;
  if (negative) out[n++] = '-';
  return n + CopyText(text, out + n);
}

unsigned FormatFinite(uint64_t bits, char *out) {
  const bool negative = (bits & SIGN_BIT) != 0;
  const int biased = static_cast<int>((bits & EXPONENT_BITS) >> 52);
  uint64_t significand = bits & FRACTION_BITS;
  int exponent = biased - 1075;
  if (biased == 0) {  // subnormal: normalise so bit 52 is the top one
    exponent = -1074;
    while ((significand & (1ULL << 52)) == 0) {
      significand <<= 1;
      --exponent;
    }
  } else {
    significand |= 1ULL << 52;
  }
  const FIVEDIGITS five = FiveDigitsOf(significand, exponent);

  // The first digit, then two pairs from a table: three short divisions
  // side by side rather than a chain of five.
  const size_t lastFour = five.digits % 10000;
  const char *high = &DIGIT_PAIRS[2 * (lastFour / 100)];
  const char *low = &DIGIT_PAIRS[2 * (lastFour % 100)];
  const char digits[5] = {static_cast<char>('0' + five.digits / 10000), high[0], high[1], low[0],
                          low[1]};

  // Zeros at the end of the fraction are never written, rather than
  // written and dropped: the status line goes straight into the host's
  // buffer, and nothing may be touched behind its end.
  int significant = 5;
  while (significant > 1 && digits[significant - 1] == '0') --significant;

  char *c = out;
  if (negative) *c++ = '-';
  const int x = five.exponent;
  if (x < -4 || x >= 5) {
    *c++ = digits[0];
    if (significant > 1) *c++ = '.';
    for (int i = 1; i < significant; ++i) *c++ = digits[i];
    *c++ = 'e';
    *c++ = x < 0 ? '-' : '+';
    const int magnitude = x < 0 ? -x : x;  // at most 324: three digits
    *c++ = static_cast<char>('0' + magnitude / 100);
    *c++ = static_cast<char>('0' + magnitude / 10 % 10);
    *c++ = static_cast<char>('0' + magnitude % 10);
  } else if (x >= 0) {
    for (int i = 0; i <= x; ++i) *c++ = digits[i];  // the whole part, zeros too
    if (significant > x + 1) *c++ = '.';
    for (int i = x + 1; i < significant; ++i) *c++ = digits[i];
  } else {
    *c++ = '0';
    *c++ = '.';
    for (int i = 0; i < -x - 1; ++i) *c++ = '0';
    for (int i = 0; i < significant; ++i) *c++ = digits[i];
  }
  return static_cast<unsigned>(c - out);
}

}  // namespace

unsigned FormatStatusNumber(double value, char *out) {
  const uint64_t bits = __builtin_bit_cast(uint64_t, value);
  if ((bits & ~SIGN_BIT) == 0) {  // both zeros, no minus sign
    out[0] = '0';
    return 1;
  }
  if ((bits & EXPONENT_BITS) == EXPONENT_BITS) return FormatNonFinite(bits, out);
  return FormatFinite(bits, out);
}
