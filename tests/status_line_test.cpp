// Whole status lines in the host's buffer: their text, their length, and
// what stays untouched behind the zero byte.
#include "lift/status_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host_fixture.h"

namespace {

struct LineCase {
  double rho, mass, size;
  const char *line;
};

TEST(StatusLine, DocumentedLines) {
  const LineCase cases[] = {
      {1.2, 1000, 10, "MASS:1000 kg MEAN:10 m VOL:523.6 m3 DENS:1.9099 kg/m3 LIFT:6141.8 N"},
      {1.225, 250000, 60,
       "MASS:2.5e+005 kg MEAN:60 m VOL:1.131e+005 m3 DENS:2.2105 kg/m3 LIFT:1.3543e+006 N"},
      {1.225, 0.5, 0.05,
       "MASS:0.5 kg MEAN:0.05 m VOL:6.545e-005 m3 DENS:7639.4 kg/m3 LIFT:0.00078372 N"},
      {1.2, 1000, 0, "MASS:1000 kg MEAN:0 m VOL:0 m3 DENS:1.#INF kg/m3 LIFT:0 N"},
      {1.2, 0, 0, "MASS:0 kg MEAN:0 m VOL:0 m3 DENS:-1.#IND kg/m3 LIFT:0 N"},
  };
  for (const LineCase &c : cases) {
    std::vector<HostVessel> vessels = {MakeVessel(c.rho, c.mass, c.size)};
    const StepRecord r = RunStep(vessels);
    ASSERT_EQ(1u, r.turns.size());
    EXPECT_STREQ(c.line, r.turns[0].line);
    EXPECT_STREQ(c.line, HostDebugBuffer());
    EXPECT_TRUE(r.guardIntact);
  }
}

TEST(StatusLine, LongestLineFillsTheBufferExactly) {
  HostFillDebugBuffer('x');
  HostBeginStep();
  const double v = -1.2345e-300;
  WriteStatusLine(v, v, v, v, v);
  EXPECT_TRUE(HostEndStep()) << "wrote past 105 bytes";
  EXPECT_EQ(104u, std::strlen(HostDebugBuffer()));
  EXPECT_STREQ(
      "MASS:-1.2345e-300 kg MEAN:-1.2345e-300 m VOL:-1.2345e-300 m3 "
      "DENS:-1.2345e-300 kg/m3 LIFT:-1.2345e-300 N",
      HostDebugBuffer());
}

TEST(StatusLine, ShorterLineLeavesTheOldTailBehindItsZero) {
  HostFillDebugBuffer('x');
  HostBeginStep();
  WriteStatusLine(1000, 10, 523.6, 1.9099, 6141.8);  // 67 characters
  const std::string longer(HostDebugBuffer(), 68);
  WriteStatusLine(1000, 0, 0, INFINITY, 0);  // 57 characters
  const char *buffer = HostDebugBuffer();
  EXPECT_EQ(57u, std::strlen(buffer));
  EXPECT_EQ(longer.substr(58, 9), std::string(buffer + 58, 9));  // old last nine
  EXPECT_EQ('\0', buffer[67]);                                   // and its zero
  EXPECT_EQ('x', buffer[68]);                                    // never touched
  EXPECT_TRUE(HostEndStep());
}

TEST(StatusLine, EachTurnReplacesTheLastAndTheThirdRemains) {
  std::vector<HostVessel> vessels = {MakeVessel(1.2, 1000, 10), MakeVessel(1.2, 1000, 0),
                                     MakeVessel(1.225, 0.5, 0.05)};
  const StepRecord r = RunStep(vessels);
  ASSERT_EQ(3u, r.turns.size());
  EXPECT_STREQ(r.turns[2].line, HostDebugBuffer());
  EXPECT_STRNE(r.turns[0].line, r.turns[1].line);
  int fetched = 0;
  for (const HostCall &c : r.calls) fetched += c.kind == CALL_DEBUG_STRING;
  EXPECT_EQ(3, fetched);  // the buffer is asked for once per line
}

}  // namespace
