// The exact route to the five digits: D = floor(x * 10^p) with p = 17 - k,
// an integer of 18 or 19 digits, from a fixed-size big integer, for the
// rare inputs the fast route hands over. The 17-digit rounding of x is that
// of D, since x * 10^p lies in [D, D + 1) and the rounding boundaries are
// whole numbers: no sticky bit is needed.
#include "lift/five_digits.h"

namespace {

constexpr uint64_t TEN_POW_18 = 1000000000000000000ULL;

// n / divisor with 32-bit divisions only, for divisor <= 65536: long
// division on 16-bit digits keeps every partial dividend below 2^32.
uint64_t DivideSmall(uint64_t n, uint32_t divisor) {
  uint64_t quotient = 0;
  uint32_t remainder = 0;
  for (int shift = 48; shift >= 0; shift -= 16) {
    const uint32_t part = (remainder << 16) | static_cast<uint32_t>((n >> shift) & 0xFFFF);
    quotient = (quotient << 16) | (part / divisor);
    remainder = part % divisor;
  }
  return quotient;
}

// With DivideSmall alone: this route is rare, so it needs no faster
// division, and it is the same on every processor.
uint64_t DivideBy1e13(uint64_t n) {
  return DivideSmall(DivideSmall(DivideSmall(DivideSmall(n, 10000), 10000), 10000), 10);
}

// The five digits and their exponent from D: rounding the 17 digits to
// five, halves up, rounds up exactly when D >= 10^13 * R + 5 * 10^12 - 5
// (D of 18 digits, R its first five), or D >= 10^14 * R + 5 * 10^13 - 50
// (19 digits).
FIVEDIGITS RoundFromFloor(uint64_t d, int k) {
  const bool nineteen = d >= TEN_POW_18;
  const uint64_t unit = nineteen ? 100000000000000ULL : 10000000000000ULL;
  const uint64_t boundary = nineteen ? 50000000000000ULL - 50 : 5000000000000ULL - 5;
  uint64_t five = nineteen ? DivideSmall(DivideBy1e13(d), 10) : DivideBy1e13(d);
  const uint64_t rest = d - five * unit;
  int exponent = nineteen ? k + 1 : k;
  if (rest >= boundary) ++five;
  if (five == 100000) {  // 99999.5 -> 1.0000e+005: a carry into a new digit
    five = 10000;
    ++exponent;
  }
  return FIVEDIGITS{static_cast<uint32_t>(five), exponent};
}

// A fixed-size unsigned big integer, least significant 32-bit word first.
// 40 words hold 1280 bits: enough for 2^53 * 10^341 (about 1186 bits) and
// for 2^53 * 2^971 (1024 bits), the largest values the exact route forms.
struct BIGNUMBER {
  static constexpr int CAPACITY = 40;
  uint32_t words[CAPACITY];
  int used;  // words in use; the top one may be zero after a shift
};

// 10^count for count <= 9.
uint32_t SmallPowerOfTen(int count) {
  uint32_t power = 1;
  for (int i = 0; i < count; ++i) power *= 10;
  return power;
}

void BigSet(BIGNUMBER &n, uint64_t value) {
  n.words[0] = static_cast<uint32_t>(value);
  n.words[1] = static_cast<uint32_t>(value >> 32);
  n.used = 2;
}

void BigMultiplySmall(BIGNUMBER &n, uint32_t factor) {
  uint64_t carry = 0;
  for (int i = 0; i < n.used; ++i) {
    const uint64_t product = static_cast<uint64_t>(n.words[i]) * factor + carry;
    n.words[i] = static_cast<uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) n.words[n.used++] = static_cast<uint32_t>(carry);
}

// floor(n / divisor) for divisor <= 65536: long division on 16-bit
// digits, as DivideSmall does for one 64-bit number.
void BigDivideSmall(BIGNUMBER &n, uint32_t divisor) {
  uint32_t remainder = 0;
  for (int i = n.used - 1; i >= 0; --i) {
    const uint32_t highPart = (remainder << 16) | (n.words[i] >> 16);
    const uint32_t highDigit = highPart / divisor;
    remainder = highPart % divisor;
    const uint32_t lowPart = (remainder << 16) | (n.words[i] & 0xFFFF);
    n.words[i] = (highDigit << 16) | (lowPart / divisor);
    remainder = lowPart % divisor;
  }
}

void BigShiftLeft(BIGNUMBER &n, int bits) {
  const int wordShift = bits / 32;
  const int bitShift = bits % 32;
  n.words[n.used] = 0;
  for (int i = n.used; i >= 0; --i) {
    uint32_t word = n.words[i] << bitShift;
    if (bitShift != 0 && i > 0) word |= n.words[i - 1] >> (32 - bitShift);
    n.words[i + wordShift] = word;
  }
  for (int i = 0; i < wordShift; ++i) n.words[i] = 0;
  n.used += wordShift + 1;
}

void BigShiftRight(BIGNUMBER &n, int bits) {
  const int wordShift = bits / 32;
  const int bitShift = bits % 32;
  const int kept = n.used - wordShift;
  for (int i = 0; i < kept; ++i) {
    uint32_t word = n.words[i + wordShift] >> bitShift;
    if (bitShift != 0 && i + wordShift + 1 < n.used) {
      word |= n.words[i + wordShift + 1] << (32 - bitShift);
    }
    n.words[i] = word;
  }
  n.used = kept > 0 ? kept : 0;
  for (int i = n.used; i < 2; ++i) n.words[i] = 0;
  if (n.used < 2) n.used = 2;
}

}  // namespace

FIVEDIGITS ExactFiveDigits(uint64_t significand, int exponent) {
  const int k = FloorLog10Pow2(exponent + 52);
  const int p = 17 - k;
  // D = floor(significand * 2^exponent * 10^p). Exponent and p are never
  // both negative: that would put x below 2^53 and above 10^18.
  BIGNUMBER n;
  BigSet(n, significand);
  for (int left = p; left > 0; left -= 9) {
    BigMultiplySmall(n, left >= 9 ? 1000000000U : SmallPowerOfTen(left));
  }
  if (exponent >= 0) {
    BigShiftLeft(n, exponent);
  } else {
    BigShiftRight(n, -exponent);
  }
  for (int right = -p; right > 0; right -= 4) {
    BigDivideSmall(n, right >= 4 ? 10000U : SmallPowerOfTen(right));
  }
  const uint64_t d = (static_cast<uint64_t>(n.words[1]) << 32) | n.words[0];
  return RoundFromFloor(d, k);
}
