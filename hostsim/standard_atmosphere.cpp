// Seven layers of linear temperature in geopotential altitude. In each,
// pressure follows the barometric formula from the layer's base:
//   lapse L != 0:  P = Pb * (Tb / T)^(g0 M / (R* L)),  T = Tb + L (H - Hb)
//   lapse L == 0:  P = Pb * exp(-g0 M (H - Hb) / (R* Tb))
// and density is P M / (R* T). Constants are those of the 1976 standard.
#include "hostsim/standard_atmosphere.h"

#include "hostsim/sim_libc.h"

namespace {

constexpr double G0 = 9.80665;              // m/s2
constexpr double MOLAR_MASS = 0.0289644;    // kg/mol
constexpr double GAS_CONSTANT = 8.31432;    // J/(mol K), as the standard has it
constexpr double EARTH_RADIUS = 6356766.0;  // m, for geopotential altitude

struct Layer {
  double base;         // geopotential altitude of the base, m
  double lapse;        // K/m
  double temperature;  // K at the base
  double pressure;     // Pa at the base
};

constexpr Layer LAYERS[] = {
    {0, -0.0065, 288.15, 101325.0},    {11000, 0.0, 216.65, 22632.06},
    {20000, 0.001, 216.65, 5474.889},  {32000, 0.0028, 228.65, 868.0187},
    {47000, 0.0, 270.65, 110.9063},    {51000, -0.0028, 270.65, 66.93887},
    {71000, -0.002, 214.65, 3.956420},
};

}  // namespace

double StandardAtmosphereDensity(double altitude) {
  if (altitude > ATMOSPHERE_TOP) return 0.0;
  const double h = EARTH_RADIUS * altitude / (EARTH_RADIUS + altitude);
  const Layer *layer = &LAYERS[0];
  for (const Layer &l : LAYERS) {
    if (h >= l.base) layer = &l;
  }
  const double rise = h - layer->base;
  const double exponent = G0 * MOLAR_MASS / GAS_CONSTANT;
  double temperature = layer->temperature;
  double pressure;
  if (layer->lapse != 0.0) {
    temperature = layer->temperature + layer->lapse * rise;
    pressure = layer->pressure * pow(layer->temperature / temperature, exponent / layer->lapse);
  } else {
    pressure = layer->pressure * exp(-exponent * rise / layer->temperature);
  }
  return pressure * MOLAR_MASS / (GAS_CONSTANT * temperature);
}

bool FloatAltitude(double density, double *altitude) {
  if (!(density <= StandardAtmosphereDensity(0.0)) ||
      density <= StandardAtmosphereDensity(ATMOSPHERE_TOP)) {
    return false;
  }
  double low = 0.0, high = ATMOSPHERE_TOP;
  for (int i = 0; i < 60; ++i) {  // 86 km / 2^60: far below a millimetre
    const double middle = 0.5 * (low + high);
    if (StandardAtmosphereDensity(middle) > density) {
      low = middle;
    } else {
      high = middle;
    }
  }
  *altitude = 0.5 * (low + high);
  return true;
}
