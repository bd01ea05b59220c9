// The per-step walk against the recording host: which host calls it makes,
// in which order, and which forces arrive at AddForce.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "host_fixture.h"

namespace {

bool SameBits(const VECTOR3 &a, const VECTOR3 &b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Timestep, NoVesselsAsksOnlyTheCount) {
  std::vector<HostVessel> none;
  HostFillDebugBuffer('x');
  const StepRecord r = RunStep(none);
  EXPECT_EQ(std::vector<HostCallKind>{CALL_GET_VESSEL_COUNT}, KindsOf(r.calls));
  EXPECT_EQ(std::string(HOST_DEBUG_CAPACITY, 'x'),
            std::string(HostDebugBuffer(), HOST_DEBUG_CAPACITY));
}

TEST(Timestep, TwoVesselsInTheHostsOrderOfQueries) {
  std::vector<HostVessel> vessels = {MakeVessel(1.2, 1000, 10), MakeVessel(1.0, 50, 3)};
  const StepRecord r = RunStep(vessels);
  const std::vector<HostCallKind> turn = {CALL_GET_VESSEL_BY_INDEX,
                                          CALL_GET_VESSEL_INTERFACE,
                                          CALL_GET_ATM_DENSITY,
                                          CALL_GET_MASS,
                                          CALL_GET_SIZE,
                                          CALL_GET_SURFACE_REF,
                                          CALL_OAPI_GET_MASS,
                                          CALL_OAPI_GET_SIZE,
                                          CALL_GET_ALTITUDE,
                                          CALL_GET_BANK,
                                          CALL_GET_PITCH,
                                          CALL_ADD_FORCE,
                                          CALL_DEBUG_STRING};
  std::vector<HostCallKind> expected = {CALL_GET_VESSEL_COUNT};
  expected.insert(expected.end(), turn.begin(), turn.end());
  expected.insert(expected.end(), turn.begin(), turn.end());
  EXPECT_EQ(expected, KindsOf(r.calls));

  // Every call after the count concerns the vessel of its turn, in order;
  // the body asked about is the one the vessel named.
  for (size_t i = 1; i < r.calls.size(); ++i) {
    const HostCall &c = r.calls[i];
    if (c.kind == CALL_DEBUG_STRING) continue;
    EXPECT_EQ(i <= turn.size() ? 0 : 1, c.vessel) << HostCallName(c.kind);
  }
  EXPECT_EQ(r.calls[6].handle, r.calls[7].handle);
  EXPECT_EQ(r.calls[6].handle, r.calls[8].handle);
}

TEST(Timestep, EveryVesselGetsOneForceAtItsOrigin) {
  std::vector<HostVessel> vessels = {MakeVessel(1.2, 1000, 10),
                                     MakeVessel(0.0, 1000, 10),  // vacuum
                                     MakeVessel(0.5, 1, 0.2, 3000, 0.4, -0.2)};
  const StepRecord r = RunStep(vessels);
  const std::vector<HostCall> forces = AddForceCalls(r);
  ASSERT_EQ(3u, forces.size());
  const VECTOR3 origin = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(i, forces[i].vessel);
    EXPECT_TRUE(SameBits(origin, forces[i].point));
  }
  EXPECT_EQ(0x1.7fdc4428f5c28p+12, forces[0].force.y);
  EXPECT_EQ(0.0, forces[1].force.y);  // vacuum still gets its call
}

TEST(Timestep, StepsAreIndependentAndIgnoreTheHostsArguments) {
  std::vector<HostVessel> vessels = {MakeVessel(1.2, 1000, 10, 500, 0.5, 0.25),
                                     MakeVessel(0.1, 3, 1.5, 20000, -1, 1)};
  const StepRecord first = RunStep(vessels, 0, 0.1, 51544.5);
  const double odd[][3] = {{0, 0.1, 51544.5}, {1e9, -3, 0}, {NAN, INFINITY, -0.0}};
  for (const auto &args : odd) {
    const StepRecord again = RunStep(vessels, args[0], args[1], args[2]);
    ASSERT_EQ(first.calls.size(), again.calls.size());
    for (size_t i = 0; i < first.calls.size(); ++i) {
      EXPECT_EQ(first.calls[i].kind, again.calls[i].kind);
      EXPECT_TRUE(SameBits(first.calls[i].force, again.calls[i].force));
    }
    ASSERT_EQ(first.turns.size(), again.turns.size());
    for (size_t i = 0; i < first.turns.size(); ++i) {
      EXPECT_STREQ(first.turns[i].line, again.turns[i].line);
    }
  }
}

TEST(Timestep, NonFiniteForceIsWithheldButTheLineIsWritten) {
  HostVessel centre = MakeVessel(1.2, 1000, 10);
  centre.altitude = -centre.body.radius;           // at the body's centre: g is infinite
  HostVessel unknown = MakeVessel(NAN, 1000, 10);  // a NaN from the host
  std::vector<HostVessel> vessels = {centre, unknown, MakeVessel(1.2, 1000, 10)};
  const StepRecord r = RunStep(vessels);
  const std::vector<HostCall> forces = AddForceCalls(r);
  ASSERT_EQ(1u, forces.size());
  EXPECT_EQ(2, forces[0].vessel);
  int lines = 0;
  for (const HostCall &c : r.calls) lines += c.kind == CALL_DEBUG_STRING;
  EXPECT_EQ(3, lines);
}

}  // namespace
