// The stand-in host's number text: hex-float output must be glibc's %a to
// the byte (the CSV contract), and input parsing exact and strict.
#include "hostsim/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "double_bits.h"

namespace {

std::string Hex(double v) {
  char out[32];
  FormatHexDouble(v, out);
  return out;
}

std::string Glibc(double v) {
  char out[64];
  std::snprintf(out, sizeof out, "%a", v);
  return out;
}

TEST(HexDouble, MatchesGlibcOnSpecialAndRandomValues) {
  const double special[] = {0.0,
                            -0.0,
                            1.0,
                            -1.0,
                            0.5,
                            3.0,
                            6141.766640624999,
                            FromBits(1),
                            FromBits(0x000FFFFFFFFFFFFFULL),
                            FromBits(0x0010000000000000ULL),
                            1.7976931348623157e308,
                            INFINITY,
                            -INFINITY,
                            FromBits(0x7FF8000000000000ULL),
                            FromBits(0xFFF8000000000000ULL)};
  for (double v : special) EXPECT_EQ(Glibc(v), Hex(v));
  std::mt19937_64 random(42);
  for (int i = 0; i < 200000; ++i) {
    const double v = FromBits(random());
    if (std::isnan(v)) continue;  // glibc prints every NaN as nan or -nan
    ASSERT_EQ(Glibc(v), Hex(v)) << std::hex << random();
  }
}

struct ParseCase {
  const char *text;
  bool ok;
  uint64_t bits;  // expected bits where ok
  const char *why;
};

TEST(NumberText, ParsesWhatTheScenarioAllowsAndNothingElse) {
  const ParseCase cases[] = {
      {"1.2", true, 0x3FF3333333333333ULL, "plain decimal"},
      {"-0", true, 0x8000000000000000ULL, "negative zero keeps its sign"},
      {"6e24", true, 0x4513DA329B633647ULL, "exponent without a point"},
      {".5", true, 0x3FE0000000000000ULL, "no digit before the point"},
      {"5.", true, 0x4014000000000000ULL, "no digit after the point"},
      {"0x1.8p+3", true, 0x4028000000000000ULL, "hex-float"},
      {"-0x0p+0", true, 0x8000000000000000ULL, "hex zero with a sign"},
      {"0x0.0000000000001p-1022", true, 1, "smallest subnormal, as %a writes it"},
      {"0x1.fffffffffffffp+1023", true, 0x7FEFFFFFFFFFFFFFULL, "largest double"},
      {"inf", true, 0x7FF0000000000000ULL, "infinity"},
      {"-inf", true, 0xFFF0000000000000ULL, "minus infinity"},
      {"nan", true, 0x7FF8000000000000ULL, "positive quiet NaN"},
      {"-nan", true, 0xFFF8000000000000ULL, "the x86 default NaN"},
      {"", false, 0, "empty field"},
      {"1.2.3", false, 0, "two points"},
      {"1e", false, 0, "exponent without digits"},
      {" 1", false, 0, "surrounding blanks are not numbers"},
      {"0x1.8", false, 0, "hex-float without its exponent"},
      {"0x1.00000000000001p+0", false, 0, "more bits than a double holds"},
      {"0x1p-1075", false, 0, "below the smallest subnormal: not exact"},
      {"0x1p+1024", false, 0, "overflows"},
      {"Infinity", false, 0, "only the three spellings"},
      {"1,5", false, 0, "a comma is a field separator, not a point"},
  };
  for (const ParseCase &c : cases) {
    double v = 0;
    const bool ok = ParseNumberText(c.text, std::strlen(c.text), &v);
    EXPECT_EQ(c.ok, ok) << c.why << ": " << c.text;
    if (c.ok && ok) {
      EXPECT_EQ(c.bits, BitsOf(v)) << c.why << ": " << c.text;
    }
  }
}

}  // namespace
