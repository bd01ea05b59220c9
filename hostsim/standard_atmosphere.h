// The U.S. Standard Atmosphere 1976, up to 86 km: the density of the air
// that the stand-in host's flight mode answers the module with.
#pragma once

// Highest geometric altitude of the model's layers; above it the host
// answers a density of zero.
constexpr double ATMOSPHERE_TOP = 86000.0;

// kg/m3 at a geometric altitude in metres; below 0 the sea-level layer
// goes on, above 86 km the air is gone.
double StandardAtmosphereDensity(double altitude);

// The altitude where the standard atmosphere has the given density, found
// by bisection (density falls with altitude). False when the density is
// above that at the ground (the vessel cannot float) or at or below that
// at 86 km (it floats at the top of the model, if at all).
bool FloatAltitude(double density, double *altitude);
