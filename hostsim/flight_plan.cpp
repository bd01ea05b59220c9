#include "hostsim/flight_plan.h"

#include "hostsim/sim_libc.h"
#include "hostsim/vessel_table.h"

namespace {

bool FillFlightVessel(const char *path, const CsvField *fields, HostVessel *v, CsvError *error) {
  double *const numbers[] = {&v->mass, &v->size, &v->altitude, &v->bank, &v->pitch};
  for (unsigned i = 0; i < 5; ++i) {
    if (!ParseCsvNumber(path, fields[i + 1], numbers[i], error)) return false;
  }
  // A flight needs a body to fly: positive finite mass and size, an
  // altitude at or above the ground.
  const struct {
    bool ok;
    unsigned field;
    const char *what;
  } checks[] = {
      {v->mass > 0 && v->mass < 1e300, 1, "expected a positive, finite mass"},
      {v->size > 0 && v->size < 1e100, 2, "expected a positive, finite size"},
      {v->altitude >= 0 && v->altitude < 1e12, 3, "expected an altitude at or above the ground"},
      {fabs(v->bank) < 1e6, 4, "expected a finite bank angle"},
      {fabs(v->pitch) < 1e6, 5, "expected a finite pitch angle"},
  };
  for (const auto &check : checks) {
    if (!check.ok) {
      const CsvField &f = fields[check.field];
      SetCsvError(error, path, f.line, f.column, check.what);
      return false;
    }
  }
  return true;
}

}  // namespace

bool LoadFlightPlan(const char *path, HostVessel **vessels, unsigned *count, CsvError *error) {
  return LoadVesselTable(path, FLIGHT_HEADER, FillFlightVessel, vessels, count, error);
}
