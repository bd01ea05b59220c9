// The lift model, step by step. Each line is one IEEE double operation per
// operator, grouped exactly as the brackets say. The module is built with
// floating-point contraction off, so no step is fused with the next.
#include "lift/lift_model.h"

#include "lift/math_imports.h"

LIFTRESULT ComputeLift(const LIFTINPUT &in) {
  LIFTRESULT out;
  const double s = in.size;
  // V = ((s * s) * s) * factor: the cube first, the factor last.
  out.volume = ((s * s) * s) * LIFT_VOLUME_FACTOR;
  const double gm = in.bodyMass * GRAVITY_CONSTANT;
  const double distance = in.altitude + in.bodyRadius;
  // g = GM / (d * d): the square as a product, then one division.
  out.gravity = gm / (distance * distance);
  // L = (g * V) * rho: the density enters last.
  out.lift = (out.gravity * out.volume) * in.atmDensity;

  // Direction factors (sin b cos p, cos b cos p, sin p) form a unit vector.
  // x and y group their factors differently on purpose: x scales the lift
  // by cos p first, y by cos b first. cos p serves both.
  const double cosPitch = cos(in.pitch);
  out.force.y = cosPitch * (cos(in.bank) * out.lift);
  out.force.x = sin(in.bank) * (cosPitch * out.lift);
  out.force.z = sin(in.pitch) * out.lift;

  out.meanDensity = in.mass / out.volume;
  return out;
}
