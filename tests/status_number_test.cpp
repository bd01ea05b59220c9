// The host platform's "%.5g", number by number: the documented cases, the
// values nearest every kind of rounding boundary, the whole exponent range
// and a large seeded random sample, each compared with the independent
// big-integer reference.
#include "lift/status_number.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

#include "double_bits.h"
#include "lift/five_digits.h"
#include "reference_rendering.h"

namespace {

std::string Render(double v) {
  char out[16];
  std::memset(out, '#', sizeof out);
  const unsigned n = FormatStatusNumber(v, out);
  EXPECT_GE(n, 1u);
  EXPECT_LE(n, 12u);
  EXPECT_EQ('#', out[n]) << "wrote past its own length";
  return std::string(out, n);
}

struct Case {
  double value;
  const char *text;
  const char *why;
};

TEST(StatusNumber, DocumentedCases) {
  const Case cases[] = {
      {99999.4, "99999", "largest plain form"},
      {99999.5, "1e+005", "carry into a sixth digit moves to exponent form"},
      {123456, "1.2346e+005", "exponent form has three exponent digits"},
      {-123456, "-1.2346e+005", "sign"},
      {0.0001, "0.0001", "X = -4 is still plain"},
      {9.9999e-5, "9.9999e-005", "X = -5 is exponent form"},
      {9.99996e-5, "0.0001", "the carry brings it back to plain form"},
      {-0.00012345, "-0.00012345", "plain form with leading zeros"},
      {1.03125, "1.0313", "an exact half rounds up, not to even"},
      {1.03135, "1.0314", "just below the half, but its 17-digit form is the half"},
      {-0.0, "0", "negative zero has no sign"},
      {0.0, "0", "zero"},
      {1e100, "1e+100", "three-digit exponent"},
      {FromBits(1), "4.9407e-324", "smallest subnormal"},
      {DBL_MAX, "1.7977e+308", "largest finite"},
      {INFINITY, "1.#INF", "infinity"},
      {-INFINITY, "-1.#INF", "minus infinity"},
      {FromBits(0xFFF8000000000000ULL), "-1.#IND", "the default NaN (0/0 on x86)"},
      {FromBits(0x7FF8000000000000ULL), "1.#QNA", "positive quiet NaN: template cut to five"},
      {FromBits(0xFFF8000000000001ULL), "-1.#QNA", "a quiet NaN other than the default"},
      {FromBits(0x7FF0000000000001ULL), "1.#SNA", "signalling NaN"},
      {FromBits(0xFFF4000000000000ULL), "-1.#SNA", "negative signalling NaN"},
      {12000, "12000", "trailing zeros of the integer part stay, the point goes"},
      {250000, "2.5e+005", "trailing zeros before the exponent go"},
      {113100, "1.131e+005", "one trailing zero before the exponent goes"},
      {1, "1", "a bare point goes"},
      {-1.2345e-300, "-1.2345e-300", "the longest text: twelve characters"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(c.text, Render(c.value)) << c.why;
    EXPECT_EQ(c.text, reference::Render(c.value)) << "reference: " << c.why;
  }
}

// Every boundary in the two roundings, from both sides, and the carries:
// a double just below, at and just above each candidate.
std::vector<double> HardValues() {
  std::vector<double> values;
  auto around = [&](double v) {
    values.push_back(v);
    values.push_back(std::nextafter(v, 0.0));
    values.push_back(std::nextafter(v, INFINITY));
  };
  for (int e = -324; e <= 308; ++e) {
    // Sixth digit 5 followed by zeros, in the 17-digit form.
    for (const char *mantissa : {"1.00005", "1.23455", "9.99995", "5.00005", "1.0000500000000001",
                                 "1.0000499999999999", "9.9999500000000000", "99999.5"}) {
      char text[48];
      std::snprintf(text, sizeof text, "%se%d", mantissa, e);
      around(std::strtod(text, nullptr));
    }
    around(std::pow(10.0, e));
  }
  for (int e = -1074; e <= 1023; ++e) around(std::ldexp(1.0, e));
  around(99999.5);
  around(9.99995e-5);
  // 17-digit ties: doubles whose exact value ends in 5 at the 18th digit.
  for (double v : {0.5, 1.5, 2.5, 1.25, 1.125, 1.0625, 1.03125, 9007199254740993.0}) {
    for (int scale = -20; scale <= 20; ++scale) around(std::ldexp(v, scale));
  }
  return values;
}

TEST(StatusNumber, HardValuesMatchTheReference) {
  for (double v : HardValues()) {
    if (!std::isfinite(v)) continue;
    ASSERT_EQ(reference::Render(v), Render(v)) << std::hexfloat << v;
    ASSERT_EQ(reference::Render(-v), Render(-v)) << std::hexfloat << -v;
  }
}

// The sample's size comes from VANTREL_RANDOM_SAMPLE: a million by default,
// fewer in the sanitizer build, where every step costs ten times more.
size_t RandomSampleSize() {
  const char *text = std::getenv("VANTREL_RANDOM_SAMPLE");
  return text != nullptr ? std::strtoull(text, nullptr, 10) : 1000000;
}

TEST(StatusNumber, SeededRandomBitPatternsMatchTheReference) {
  std::mt19937_64 random(20261211);
  const size_t count = RandomSampleSize();
  size_t compared = 0;
  while (compared < count) {
    const double v = FromBits(random());
    if (std::isnan(v)) continue;
    ASSERT_EQ(reference::Render(v), Render(v)) << std::hexfloat << v;
    ++compared;
  }
  std::printf("compared %zu random doubles with the reference\n", compared);
}

// The reference itself, checked against glibc's exact 17 digits (rounded
// half to even, which never changes the five digits), then rounded to five.
std::string GlibcRoute(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.16e", std::fabs(v));
  std::string digits = std::string(1, text[0]) + std::string(text + 2, 16);
  int x = std::atoi(text + 19);
  bool carry = false;
  const std::string five = reference::RoundHalfUp(digits, 5, &carry);
  if (carry) ++x;
  std::string out = std::signbit(v) ? "-" : "";
  if (x < -4 || x >= 5) {
    char exponent[8];
    std::snprintf(exponent, sizeof exponent, "e%c%03d", x < 0 ? '-' : '+', std::abs(x));
    return out + reference::TrimFraction(five.substr(0, 1) + "." + five.substr(1)) + exponent;
  }
  if (x >= 0)
    return out + reference::TrimFraction(five.substr(0, x + 1) + "." + five.substr(x + 1));
  return out + reference::TrimFraction("0." + std::string(-x - 1, '0') + five);
}

TEST(StatusNumber, ReferenceAgreesWithGlibcsExactDigits) {
  std::mt19937_64 random(99);
  for (int i = 0; i < 100000; ++i) {
    const double v = FromBits(random());
    if (!std::isfinite(v) || v == 0) continue;
    ASSERT_EQ(GlibcRoute(v), reference::Render(v)) << std::hexfloat << v;
  }
  for (double v : HardValues()) {
    if (std::isfinite(v) && v != 0) ASSERT_EQ(GlibcRoute(v), reference::Render(v)) << v;
  }
}

// The fast route must never decide wrongly where it decides; the exact
// route must agree with it everywhere.
TEST(FiveDigits, FastAndExactRoutesAgree) {
  std::mt19937_64 random(7);
  int declined = 0;
  for (int i = 0; i < 200000; ++i) {
    const uint64_t significand = (random() & 0xFFFFFFFFFFFFFULL) | (1ULL << 52);
    const int exponent = static_cast<int>(random() % 2098) - 1126;
    FIVEDIGITS fast;
    const FIVEDIGITS exact = ExactFiveDigits(significand, exponent);
    if (!FastFiveDigits(significand, exponent, &fast)) {
      ++declined;
      continue;
    }
    ASSERT_EQ(exact.digits, fast.digits) << significand << " * 2^" << exponent;
    ASSERT_EQ(exact.exponent, fast.exponent) << significand << " * 2^" << exponent;
  }
  // The fast route steps aside only next to a rounding threshold: about
  // one input in 2^45.
  EXPECT_LT(declined, 3);
}

// Doubles whose scaled fraction lies within the fast route's error bound
// of a rounding threshold, found by a search with exact arithmetic: the
// fast route must hand them over, and the exact one must get them right.
TEST(FiveDigits, ExactRouteDecidesOnTheBoundary) {
  const double onBoundary[] = {0x1.b4340d4cfde15p-421, 0x1.d27e1e673bbbbp+784,
                               0x1.03f0498fefa06p-589, 0x1.a70eaf315665cp-287,
                               0x1.8c0b1be0b017ep-140, 0x1.e84264e5031fbp+718,
                               0x1.203cb83515b75p+272, 0x1.ee07251b73071p-935};
  for (double v : onBoundary) {
    const uint64_t bits = BitsOf(v);
    const uint64_t significand = (bits & 0xFFFFFFFFFFFFFULL) | (1ULL << 52);
    const int exponent = static_cast<int>(bits >> 52) - 1075;
    FIVEDIGITS fast;
    EXPECT_FALSE(FastFiveDigits(significand, exponent, &fast)) << std::hexfloat << v;
    EXPECT_EQ(reference::Render(v), Render(v)) << std::hexfloat << v;
  }
}

}  // namespace
