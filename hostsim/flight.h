// Flight mode: the stand-in host flies each vessel up and down while the
// module runs every step as in the real host. The host owns the physics:
// the standard atmosphere's density at the vessel, the body's gravity
// G M / (R + h)^2, drag on a sphere of the vessel's size, the ground at
// altitude 0, and the module's force, which arrives in the vessel's frame
// through AddForce and is turned into the local vertical here.
#pragma once

#include "hostsim/recording_host.h"

typedef void (*TimestepFunction)(double simTime, double simStep, double mjd);

constexpr double SPHERE_DRAG_COEFFICIENT = 0.47;

struct FlightSettings {
  double step = 0.1;            // s, the fixed time step
  double duration = 600.0;      // s
  double bodyMass = 5.972e24;   // kg, Earth by default
  double bodyRadius = 6.371e6;  // m
};

// A vessel's vertical motion, beside the host's answers for it (the
// altitude and density live in its HostVessel): what acted on it in the
// last step.
struct FlightState {
  double velocity;  // m/s, up positive
  double lift;      // N, vertical part of the module's force
  double weight;    // N
  double drag;      // N, signed, against the motion
};

// Fills the host's answers for a vessel at rest at its altitude.
void PrepareFlightVessel(HostVessel *vessel, FlightState *state, const FlightSettings &settings);

// One time step: the host's densities for the vessels' altitudes, the
// module's step, then semi-implicit Euler (velocity first, then altitude).
// The vessels must be those the recording host answers for.
void FlightStep(HostVessel *vessels, FlightState *states, unsigned count,
                const FlightSettings &settings, TimestepFunction timestep, double simTime);

// The vessel frame's local up direction for a bank and pitch: the host's
// convention, the direction along which the module points its force.
VECTOR3 LocalUp(double bank, double pitch);

// The volume the module ascribes to a vessel, and so its mean density.
double MeanDensity(const HostVessel &vessel);
