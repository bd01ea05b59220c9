// Aerostatic lift on one vessel: the weight of the air that a volume of
// 0.5236 x size^3 displaces, pointed by the vessel's bank and pitch.
//
// Pure double arithmetic in a fixed operand grouping. The grouping is part
// of the model: regrouping the same factors changes the last bits of the
// results for a large share of inputs, so the code spells out every step.
#pragma once

#include "host/orbiter_api.h"

// Not pi/6: the factor is exactly the four-place decimal 0.5236.
constexpr double LIFT_VOLUME_FACTOR = 0.5236;
// m^3 kg^-1 s^-2, the older value 6.673e-11 rather than 6.6743e-11.
constexpr double GRAVITY_CONSTANT = 6.673e-11;

// What the time-step driver gathers from the host for one vessel, SI units.
struct LIFTINPUT {
  double atmDensity;  // kg/m3, air density at the vessel
  double mass;        // kg, the vessel's mass (only enters meanDensity)
  double size;        // m, the vessel's size
  double bodyMass;    // kg, mass of the reference body
  double bodyRadius;  // m, radius of the reference body
  double altitude;    // m above the body's surface
  double bank;        // rad
  double pitch;       // rad
};

struct LIFTRESULT {
  double volume;       // m3, volume ascribed to the vessel
  double gravity;      // m/s2 at the vessel's distance from the body centre
  double lift;         // N, magnitude of the lift
  VECTOR3 force;       // N, the lift in the vessel's frame
  double meanDensity;  // kg/m3, vessel mass over volume
};

// Never fails: zero divisors give infinities or NaN, which pass on untested.
LIFTRESULT ComputeLift(const LIFTINPUT &in);
