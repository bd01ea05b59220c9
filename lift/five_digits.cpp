// Both routes compute D = floor(x * 10^p), an integer of 18 or 19 digits,
// for p = 17 - k where 10^k <= 2^(exponent + 52) <= x. Then
//   x lies in [10^k, 2 * 10^(k+1)), so D lies in [10^17, 2 * 10^18);
//   the 17-digit rounding of x is that of D, since x * 10^p lies in
//   [D, D + 1) and the rounding boundaries are whole numbers: no sticky
//   bit is needed;
//   the five digits come from the 17 by adding half of 10^12 and
//   dividing, a carry to 100000 being one more decimal exponent.
//
// The code runs on a 32-bit processor too: it has no 64-bit division (the
// compiler would call a runtime helper the module does not have) and no
// 128-bit integers.
#include "lift/five_digits.h"

namespace {

struct POW10ENTRY {
  uint64_t high;  // T = high * 2^64 + low, 2^127 <= T < 2^128
  uint64_t low;
  int binaryExponent;  // T * 2^binaryExponent >= 10^p, the least such T
  bool exact;          // T * 2^binaryExponent == 10^p
};

constexpr int POW10_MIN = -290;
constexpr POW10ENTRY POW10_TABLE[] = {
#include "lift/pow10_table.inc"
};

constexpr uint64_t TEN_POW_18 = 1000000000000000000ULL;

// floor(log10(2^n)) for -1074 <= n <= 1023; checked exhaustively by the
// script that writes the table. The shift of a negative value is
// arithmetic, which is what both compilers of this module do.
int FloorLog10Pow2(int n) { return (n * 78913) >> 18; }

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

// The shared tail: from D to the five digits and the exponent.
FIVEDIGITS RoundFromFloor(uint64_t d, int k) {
  // Half-up to 17 digits: D has 18 or 19 of them.
  uint64_t seventeen;
  int exponent = k;
  if (d >= TEN_POW_18) {
    seventeen = DivideSmall(d + 50, 100);
    exponent = k + 1;
  } else {
    seventeen = DivideSmall(d + 5, 10);
  }
  // Half-up on the sixth digit alone: add half of 10^12, divide by 10^12.
  const uint64_t rounded = seventeen + 500000000000ULL;
  uint32_t five =
      static_cast<uint32_t>(DivideSmall(DivideSmall(DivideSmall(rounded, 10000), 10000), 10000));
  if (five == 100000) {  // 99999.5 -> 1.0000e+005: a carry into a new digit
    five = 10000;
    ++exponent;
  }
  return FIVEDIGITS{five, exponent};
}

// The full 128-bit product of two 64-bit numbers from 32-bit halves.
void Multiply64(uint64_t a, uint64_t b, uint64_t *high, uint64_t *low) {
  const uint64_t aLow = a & 0xFFFFFFFF, aHigh = a >> 32;
  const uint64_t bLow = b & 0xFFFFFFFF, bHigh = b >> 32;
  const uint64_t ll = aLow * bLow;
  const uint64_t lh = aLow * bHigh;
  const uint64_t hl = aHigh * bLow;
  const uint64_t hh = aHigh * bHigh;
  const uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFF) + (hl & 0xFFFFFFFF);
  *low = (middle << 32) | (ll & 0xFFFFFFFF);
  *high = hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
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

bool FastFiveDigits(uint64_t significand, int exponent, FIVEDIGITS *out) {
  const int k = FloorLog10Pow2(exponent + 52);
  const POW10ENTRY &power = POW10_TABLE[17 - k - POW10_MIN];

  // P = significand * T: three 64-bit words, w2 highest.
  uint64_t lowHigh, lowLow, highHigh, highLow;
  Multiply64(significand, power.low, &lowHigh, &lowLow);
  Multiply64(significand, power.high, &highHigh, &highLow);
  const uint64_t w0 = lowLow;
  const uint64_t w1 = lowHigh + highLow;
  const uint64_t w2 = highHigh + (w1 < lowHigh ? 1 : 0);

  // D = floor(P * 2^(exponent + t)). P has 180 or 181 bits and D 57 to 61,
  // so the shift lies between 118 and 125 bits: D spans w1 and w2.
  const int shift = -(exponent + power.binaryExponent);
  const int inW1 = shift - 64;
  const uint64_t d = (w1 >> inW1) | (w2 << (64 - inW1));

  // T is at most 1 above the true 10^p / 2^t, so P overshoots the truth by
  // less than the significand, below 2^53 in P's units. The floor can only
  // be too high if the bits below D are smaller than that.
  const uint64_t fractionHigh = w1 & ((1ULL << inW1) - 1);
  if (!power.exact && fractionHigh == 0 && (w0 >> 53) == 0) return false;
  *out = RoundFromFloor(d, k);
  return true;
}

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

FIVEDIGITS FiveDigitsOf(uint64_t significand, int exponent) {
  FIVEDIGITS result;
  if (FastFiveDigits(significand, exponent, &result)) return result;
  return ExactFiveDigits(significand, exponent);
}
