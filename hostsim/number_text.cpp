#include "hostsim/number_text.h"

#include "hostsim/sim_libc.h"

namespace {

uint64_t BitsOf(double value) { return __builtin_bit_cast(uint64_t, value); }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool Equals(const char *text, size_t length, const char *word) {
  return strlen(word) == length && strncmp(text, word, length) == 0;
}

// Hex-float after its sign: 0x, digits with an optional point, p, exponent.
// The mantissa is gathered as an integer with a binary exponent; the value
// must be exactly representable, so ldexp of it is exact.
bool ParseHexFloat(const char *c, const char *end, bool negative, double *value) {
  if (end - c < 3 || c[0] != '0' || (c[1] != 'x' && c[1] != 'X')) return false;
  c += 2;
  uint64_t mantissa = 0;
  int exponent = 0;
  int digits = 0;
  bool sawPoint = false;
  for (; c < end && *c != 'p' && *c != 'P'; ++c) {
    if (*c == '.' && !sawPoint) {
      sawPoint = true;
      continue;
    }
    const int d = HexDigitValue(*c);
    if (d < 0) return false;
    ++digits;
    if (mantissa >> 56 != 0) {
      if (d != 0) return false;  // more bits than any double holds
      exponent += sawPoint ? 0 : 4;
      continue;
    }
    mantissa = mantissa * 16 + static_cast<uint64_t>(d);
    if (sawPoint) exponent -= 4;
  }
  if (digits == 0 || c == end) return false;
  ++c;  // the p
  bool negativeExponent = false;
  if (c < end && (*c == '+' || *c == '-')) negativeExponent = *c++ == '-';
  if (c == end) return false;
  long written = 0;
  for (; c < end; ++c) {
    if (!IsDigit(*c)) return false;
    if (written < 100000) written = written * 10 + (*c - '0');
  }
  exponent += static_cast<int>(negativeExponent ? -written : written);
  if (mantissa == 0) {
    *value = negative ? -0.0 : 0.0;
    return true;
  }
  if (mantissa >> 53 != 0) return false;  // not exact in 53 bits
  const double result = ldexp(static_cast<double>(mantissa), exponent);
  // Exact only if nothing was rounded away (subnormals, overflow).
  if (BitsOf(result) == BitsOf(__builtin_inf()) ||
      ldexp(result, -exponent) != static_cast<double>(mantissa)) {
    return false;
  }
  *value = negative ? -result : result;
  return true;
}

bool IsDecimalSyntax(const char *c, const char *end) {
  int digits = 0;
  while (c < end && IsDigit(*c)) ++c, ++digits;
  if (c < end && *c == '.') {
    ++c;
    while (c < end && IsDigit(*c)) ++c, ++digits;
  }
  if (digits == 0) return false;
  if (c < end && (*c == 'e' || *c == 'E')) {
    ++c;
    if (c < end && (*c == '+' || *c == '-')) ++c;
    int exponentDigits = 0;
    while (c < end && IsDigit(*c)) ++c, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return c == end;
}

}  // namespace

bool ParseNumberText(const char *text, size_t length, double *value) {
  if (Equals(text, length, "inf")) return *value = __builtin_inf(), true;
  if (Equals(text, length, "-inf")) return *value = -__builtin_inf(), true;
  if (Equals(text, length, "nan")) {
    *value = __builtin_bit_cast(double, 0x7FF8000000000000ULL);
    return true;
  }
  if (Equals(text, length, "-nan")) {
    *value = __builtin_bit_cast(double, 0xFFF8000000000000ULL);
    return true;
  }
  const char *c = text;
  const char *end = text + length;
  bool negative = false;
  if (c < end && (*c == '+' || *c == '-')) negative = *c++ == '-';
  if (end - c >= 2 && c[0] == '0' && (c[1] == 'x' || c[1] == 'X')) {
    return ParseHexFloat(c, end, negative, value);
  }
  if (!IsDecimalSyntax(c, end) || length > 400) return false;
  char copy[401];
  memcpy(copy, text, length);
  copy[length] = '\0';
  char *parsedEnd = nullptr;
  *value = strtod(copy, &parsedEnd);
  return parsedEnd == copy + length;
}

unsigned FormatHexDouble(double value, char *out) {
  const uint64_t bits = BitsOf(value);
  const bool negative = bits >> 63 != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t fraction = bits & 0xFFFFFFFFFFFFFULL;
  char *c = out;
  if (negative) *c++ = '-';
  if (biased == 0x7FF) {
    const char *word = fraction == 0 ? "inf" : "nan";
    while (*word != '\0') *c++ = *word++;
    *c = '\0';
    return static_cast<unsigned>(c - out);
  }
  *c++ = '0';
  *c++ = 'x';
  // glibc writes subnormals as 0x0.<fraction>p-1022 and zero as 0x0p+0.
  *c++ = biased == 0 ? '0' : '1';
  int exponent = biased == 0 ? (fraction == 0 ? 0 : -1022) : biased - 1023;
  if (fraction != 0) {
    *c++ = '.';
    int digits = 13;
    while ((fraction & 0xF) == 0) fraction >>= 4, --digits;
    for (int i = digits - 1; i >= 0; --i) {
      *c++ = "0123456789abcdef"[(fraction >> (4 * i)) & 0xF];
    }
  }
  *c++ = 'p';
  *c++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  char digitsOut[6];
  int n = 0;
  int rest = magnitude;
  do {
    digitsOut[n++] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  while (n > 0) *c++ = digitsOut[--n];
  *c = '\0';
  return static_cast<unsigned>(c - out);
}

void FormatText(char *out, size_t size, const char *format, ...) {
  if (size == 0) return;
  va_list args;
  va_start(args, format);
#if defined(_WIN32)
  // msvcrt's _vsnprintf leaves the text unterminated when it fills the size.
  _vsnprintf(out, size - 1, format, args);
  out[size - 1] = '\0';
#else
  vsnprintf(out, size, format, args);
#endif
  va_end(args);
}
