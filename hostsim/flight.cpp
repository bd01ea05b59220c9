#include "hostsim/flight.h"

#include "hostsim/sim_libc.h"
#include "hostsim/standard_atmosphere.h"
#include "lift/lift_model.h"  // the same gravitational constant as the module

namespace {

constexpr double PI = 3.14159265358979323846;

double Gravity(const FlightSettings &settings, double altitude) {
  const double distance = settings.bodyRadius + altitude;
  return settings.bodyMass * GRAVITY_CONSTANT / (distance * distance);
}

}  // namespace

VECTOR3 LocalUp(double bank, double pitch) {
  return VECTOR3{sin(bank) * cos(pitch), cos(bank) * cos(pitch), sin(pitch)};
}

double MeanDensity(const HostVessel &vessel) {
  const double s = vessel.size;
  return vessel.mass / (((s * s) * s) * LIFT_VOLUME_FACTOR);
}

void PrepareFlightVessel(HostVessel *vessel, FlightState *state, const FlightSettings &settings) {
  vessel->body = HostBody{settings.bodyMass, settings.bodyRadius};
  vessel->atmDensity = StandardAtmosphereDensity(vessel->altitude);
  *state = FlightState{0.0, 0.0, 0.0, 0.0};
}

void FlightStep(HostVessel *vessels, FlightState *states, unsigned count,
                const FlightSettings &settings, TimestepFunction timestep, double simTime) {
  for (unsigned i = 0; i < count; ++i) {
    vessels[i].atmDensity = StandardAtmosphereDensity(vessels[i].altitude);
  }

  HostBeginStep();
  timestep(simTime, settings.step, 51544.5 + simTime / 86400.0);
  HostEndStep();
  unsigned turnCount = 0;
  const HostTurn *turns = HostTurns(&turnCount);
  for (unsigned i = 0; i < count; ++i) states[i].lift = 0.0;
  for (unsigned t = 0; t < turnCount; ++t) {
    const HostTurn &turn = turns[t];
    if (turn.forceCount == 0 || turn.vessel < 0 || static_cast<unsigned>(turn.vessel) >= count) {
      continue;
    }
    const HostVessel &v = vessels[turn.vessel];
    const VECTOR3 up = LocalUp(v.bank, v.pitch);
    states[turn.vessel].lift = turn.force.x * up.x + turn.force.y * up.y + turn.force.z * up.z;
  }

  for (unsigned i = 0; i < count; ++i) {
    HostVessel &h = vessels[i];
    FlightState &v = states[i];
    const double radius = 0.5 * h.size;
    const double area = PI * radius * radius;
    v.weight = h.mass * Gravity(settings, h.altitude);
    // Drag 0.5 rho v|v| Cd A is taken at the new velocity, linearised in
    // |v|: v' = (v + a dt) / (1 + k |v| dt / m). Explicit drag would blow
    // up for a large, light balloon at this step size; this cannot.
    const double k = 0.5 * h.atmDensity * SPHERE_DRAG_COEFFICIENT * area;
    const double acceleration = (v.lift - v.weight) / h.mass;
    const double damping = 1.0 + k * fabs(v.velocity) * settings.step / h.mass;
    const double newVelocity = (v.velocity + acceleration * settings.step) / damping;
    v.drag = h.mass * ((newVelocity - v.velocity) / settings.step - acceleration);
    v.velocity = newVelocity;
    h.altitude += v.velocity * settings.step;
    if (h.altitude <= 0.0 && v.velocity <= 0.0) {  // the ground stops it
      h.altitude = 0.0;
      v.velocity = 0.0;
    }
  }
}
