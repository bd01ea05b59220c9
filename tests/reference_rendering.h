// A slow, plainly correct rendering of "%.5g" as the host platform does it,
// for tests only. It shares no code with the module: it expands the double
// exactly into decimal with a big integer in base 10^9, then rounds the
// digit string twice (17 digits, then 5, halves away from zero) and lays
// out the text by the rules, one step per line.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace reference {

// value = digits * 10^exponent10, digits without leading zeros.
struct ExactDecimal {
  std::string digits;
  int exponent10;
};

// Little-endian base 10^9 big integer.
using Limbs = std::vector<uint32_t>;
constexpr uint32_t BASE = 1000000000;

inline void MultiplyBy(Limbs &n, uint32_t factor) {  // factor < 2^32
  uint64_t carry = 0;
  for (uint32_t &limb : n) {
    const uint64_t v = static_cast<uint64_t>(limb) * factor + carry;
    limb = static_cast<uint32_t>(v % BASE);
    carry = v / BASE;
  }
  while (carry != 0) {
    n.push_back(static_cast<uint32_t>(carry % BASE));
    carry /= BASE;
  }
}

inline std::string ToDigits(const Limbs &n) {
  std::string s = std::to_string(n.back());
  for (size_t i = n.size() - 1; i-- > 0;) {
    std::string part = std::to_string(n[i]);
    s += std::string(9 - part.size(), '0') + part;
  }
  return s;
}

// x = m * 2^e exactly. For e >= 0 that is the integer m * 2^e; for e < 0
// it is m * 5^-e / 10^-e, an integer over a power of ten.
inline ExactDecimal Expand(double x) {
  uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t m = bits & 0xFFFFFFFFFFFFFULL;
  int e = biased == 0 ? -1074 : biased - 1075;
  if (biased != 0) m |= 1ULL << 52;
  Limbs n = {static_cast<uint32_t>(m % BASE), static_cast<uint32_t>(m / BASE % BASE),
             static_cast<uint32_t>(m / BASE / BASE)};
  while (n.size() > 1 && n.back() == 0) n.pop_back();
  int exponent10 = 0;
  if (e >= 0) {
    for (int left = e; left > 0; left -= 16) MultiplyBy(n, 1u << (left < 16 ? left : 16));
  } else {
    for (int left = -e; left > 0; left -= 13) {
      uint32_t p = 1;
      for (int i = 0; i < (left < 13 ? left : 13); ++i) p *= 5;
      MultiplyBy(n, p);
    }
    exponent10 = e;
  }
  return ExactDecimal{ToDigits(n), exponent10};
}

// Rounds a digit string to `keep` digits, halves up, from all the digits
// behind (only the first dropped one decides, as for half-up it must).
// Returns the kept digits; *carry is set when 99..9 became 100..0.
inline std::string RoundHalfUp(const std::string &digits, size_t keep, bool *carry) {
  std::string kept = digits.substr(0, keep);
  if (kept.size() < keep) kept += std::string(keep - kept.size(), '0');
  *carry = false;
  if (digits.size() > keep && digits[keep] >= '5') {
    size_t i = keep;
    while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
    if (i == 0) {
      kept = "1" + kept.substr(0, keep - 1);
      *carry = true;
    } else {
      ++kept[i - 1];
    }
  }
  return kept;
}

inline std::string TrimFraction(std::string s) {
  if (s.find('.') == std::string::npos) return s;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

inline std::string Render(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = bits >> 63;
  const uint64_t magnitude = bits & ~(1ULL << 63);
  if (magnitude == 0) return "0";
  if (magnitude == 0x7FF0000000000000ULL) return negative ? "-1.#INF" : "1.#INF";
  if (magnitude > 0x7FF0000000000000ULL) {
    if (bits == 0xFFF8000000000000ULL) return "-1.#IND";
    const bool quiet = (bits >> 51) & 1;
    return std::string(negative ? "-" : "") + (quiet ? "1.#QNA" : "1.#SNA");
  }
  const ExactDecimal exact = Expand(negative ? -value : value);
  // Decimal exponent of the first digit before rounding.
  int x = static_cast<int>(exact.digits.size()) - 1 + exact.exponent10;
  bool carry = false;
  const std::string seventeen = RoundHalfUp(exact.digits, 17, &carry);
  if (carry) ++x;
  const std::string five = RoundHalfUp(seventeen, 5, &carry);
  if (carry) ++x;

  std::string text = negative ? "-" : "";
  if (x < -4 || x >= 5) {
    char exponent[8];
    std::snprintf(exponent, sizeof exponent, "e%c%03d", x < 0 ? '-' : '+', x < 0 ? -x : x);
    text += TrimFraction(five.substr(0, 1) + "." + five.substr(1)) + exponent;
  } else if (x >= 0) {
    text += TrimFraction(five.substr(0, x + 1) + "." + five.substr(x + 1));
  } else {
    text += TrimFraction("0." + std::string(-x - 1, '0') + five);
  }
  return text;
}

}  // namespace reference
