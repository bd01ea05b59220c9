// The lift model against values fixed in advance: the worked case to the
// bit, a case whose bits betray any other operand grouping, and the edge
// cases where zeros, infinities and NaNs must pass through untested.
#include "lift/lift_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "double_bits.h"

namespace {

constexpr double PI = 3.141592653589793;
constexpr double HALF_PI = 1.5707963267948966;

// Same double, sign of zero and NaN included.
#define EXPECT_SAME_DOUBLE(expected, actual) \
  EXPECT_EQ(BitsOf(expected), BitsOf(actual)) << (expected) << " vs " << (actual)

LIFTINPUT Earthlike(double rho, double mass, double size) {
  return LIFTINPUT{rho, mass, size, 6e24, 6.4e6, 0.0, 0.0, 0.0};
}

TEST(LiftModel, WorkedCaseToTheBit) {
  const LIFTRESULT r = ComputeLift(Earthlike(1.2, 1000, 10));
  // One unit in the last place below the double nearest 523.6.
  EXPECT_SAME_DOUBLE(523.5999999999999, r.volume);
  EXPECT_SAME_DOUBLE(9.77490234375, r.gravity);
  EXPECT_SAME_DOUBLE(6141.766640624999, r.lift);
  EXPECT_SAME_DOUBLE(0.0, r.force.x);
  EXPECT_SAME_DOUBLE(6141.766640624999, r.force.y);
  EXPECT_SAME_DOUBLE(0.0, r.force.z);
  EXPECT_SAME_DOUBLE(1.909854851031322, r.meanDensity);
}

// Expected bits were computed elsewhere, in the model's grouping. Each
// alternative grouping below gives other bits for these inputs, so this
// case fails if the code regroups any of the three products.
TEST(LiftModel, OperandGroupingIsPartOfTheResult) {
  const LIFTINPUT in{0.8949, 1000, 44.869, 5.972e24, 6.371e6, 12588.3, 0, 0};
  const LIFTRESULT r = ComputeLift(in);
  EXPECT_SAME_DOUBLE(0x1.718322c32dc16p+15, r.volume);
  EXPECT_SAME_DOUBLE(0x1.38f0a7ccc1771p+3, r.gravity);
  EXPECT_SAME_DOUBLE(0x1.9439ed75ef4ddp+18, r.lift);
  EXPECT_SAME_DOUBLE(0x1.9439ed75ef4ddp+18, r.force.y);
  EXPECT_SAME_DOUBLE(0x1.5a67101c6b76cp-6, r.meanDensity);

  // The case discriminates: other groupings and a fused step differ.
  const double s = in.size;
  EXPECT_NE(BitsOf(r.volume), BitsOf((s * s) * (s * LIFT_VOLUME_FACTOR)));
  EXPECT_NE(BitsOf(r.volume), BitsOf(s * ((s * s) * LIFT_VOLUME_FACTOR)));
  const double d = in.altitude + in.bodyRadius;
  EXPECT_NE(BitsOf(r.gravity), BitsOf((in.bodyMass * GRAVITY_CONSTANT) / d / d));
  EXPECT_NE(BitsOf(r.lift), BitsOf(r.gravity * (r.volume * in.atmDensity)));
}

TEST(LiftModel, BankAndPitchPointTheForceAndKeepItsLength) {
  LIFTINPUT in = Earthlike(1.2, 1000, 10);
  in.bank = 0.5;
  in.pitch = 0.25;
  const LIFTRESULT r = ComputeLift(in);
  EXPECT_NEAR(2852.98179, r.force.x, 1e-5);
  EXPECT_NEAR(5222.34814, r.force.y, 1e-5);
  EXPECT_NEAR(1519.49738, r.force.z, 1e-5);
  const double length =
      std::sqrt(r.force.x * r.force.x + r.force.y * r.force.y + r.force.z * r.force.z);
  EXPECT_NEAR(r.lift, length, 4 * r.lift * 0x1p-52);
}

struct AngleCase {
  const char *why;
  double bank, pitch;
  double x, y, z;  // expected direction; a tolerance of 1e-15 covers cos(pi/2)
};

TEST(LiftModel, DirectionAtTheCardinalAngles) {
  const AngleCase cases[] = {
      {"level: straight up the vessel's +y", 0, 0, 0, 1, 0},
      {"pitch +pi/2: all onto +z", 0, HALF_PI, 0, 0, 1},
      {"pitch -pi/2: all onto -z", 0, -HALF_PI, 0, 0, -1},
      {"bank pi: upside down", PI, 0, 0, -1, 0},
      {"bank pi/2: onto +x", HALF_PI, 0, 1, 0, 0},
      {"bank -pi/2: onto -x", -HALF_PI, 0, -1, 0, 0},
  };
  for (const AngleCase &c : cases) {
    LIFTINPUT in = Earthlike(1.2, 1000, 10);
    in.bank = c.bank;
    in.pitch = c.pitch;
    const LIFTRESULT r = ComputeLift(in);
    EXPECT_NEAR(c.x, r.force.x / r.lift, 1e-15) << c.why;
    EXPECT_NEAR(c.y, r.force.y / r.lift, 1e-15) << c.why;
    EXPECT_NEAR(c.z, r.force.z / r.lift, 1e-15) << c.why;
  }
}

TEST(LiftModel, PitchNearHalfPiLeavesTinyButNonZeroXAndY) {
  LIFTINPUT in = Earthlike(1.2, 1000, 10);
  in.bank = 0.3;
  in.pitch = HALF_PI;  // its cosine is about 6.1e-17, not zero
  const LIFTRESULT r = ComputeLift(in);
  EXPECT_SAME_DOUBLE(r.lift, r.force.z);
  EXPECT_NE(0.0, r.force.x);
  EXPECT_NE(0.0, r.force.y);
  EXPECT_LT(std::fabs(r.force.x) + std::fabs(r.force.y), 1e-16 * r.lift);
}

TEST(LiftModel, VacuumGivesZerosThatCarryTheDirectionsSign) {
  LIFTINPUT in = Earthlike(0.0, 1000, 10);
  in.bank = -0.5;    // sin b < 0: x is -0
  in.pitch = -0.25;  // sin p < 0: z is -0
  const LIFTRESULT r = ComputeLift(in);
  EXPECT_SAME_DOUBLE(0.0, r.lift);
  EXPECT_SAME_DOUBLE(-0.0, r.force.x);
  EXPECT_SAME_DOUBLE(0.0, r.force.y);
  EXPECT_SAME_DOUBLE(-0.0, r.force.z);
}

TEST(LiftModel, ZeroSizeGivesNoLiftAndAnInfiniteOrUndefinedDensity) {
  const LIFTRESULT massive = ComputeLift(Earthlike(1.2, 1000, 0));
  EXPECT_SAME_DOUBLE(0.0, massive.volume);
  EXPECT_SAME_DOUBLE(0.0, massive.lift);
  EXPECT_SAME_DOUBLE(0.0, massive.force.y);
  EXPECT_SAME_DOUBLE(HUGE_VAL, massive.meanDensity);

  const LIFTRESULT massless = ComputeLift(Earthlike(1.2, 0, 0));
  EXPECT_TRUE(std::isnan(massless.meanDensity));
}

TEST(LiftModel, CentreOfTheBodyGivesInfinitiesAndNaNs) {
  LIFTINPUT in = Earthlike(1.2, 1000, 10);
  in.altitude = -in.bodyRadius;
  const LIFTRESULT r = ComputeLift(in);
  EXPECT_SAME_DOUBLE(HUGE_VAL, r.gravity);
  EXPECT_SAME_DOUBLE(HUGE_VAL, r.lift);
  // sin 0 * inf and 0 * inf are NaN; cos 0 * (1 * inf) is +inf.
  EXPECT_TRUE(std::isnan(r.force.x));
  EXPECT_SAME_DOUBLE(HUGE_VAL, r.force.y);
  EXPECT_TRUE(std::isnan(r.force.z));

  in.atmDensity = 0.0;  // inf * 0: the lift itself is NaN
  EXPECT_TRUE(std::isnan(ComputeLift(in).lift));
}

TEST(LiftModel, BelowTheSurfaceGravityGrowsUnclamped) {
  LIFTINPUT in = Earthlike(1.2, 1000, 10);
  in.altitude = -0.5 * in.bodyRadius;  // half the distance: four times g
  const LIFTRESULT r = ComputeLift(in);
  EXPECT_SAME_DOUBLE(4 * 9.77490234375, r.gravity);
}

TEST(LiftModel, MasslessBodyGivesNoLift) {
  LIFTINPUT in = Earthlike(1.2, 1000, 10);
  in.bodyMass = 0.0;
  const LIFTRESULT r = ComputeLift(in);
  EXPECT_SAME_DOUBLE(0.0, r.gravity);
  EXPECT_SAME_DOUBLE(0.0, r.lift);
  EXPECT_SAME_DOUBLE(0.0, r.force.y);
}

}  // namespace
