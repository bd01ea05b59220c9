#include "hostsim/scenario.h"

#include "hostsim/vessel_table.h"

namespace {

bool FillScenarioVessel(const char *path, const CsvField *fields, HostVessel *v, CsvError *error) {
  double *const numbers[] = {&v->atmDensity,  &v->mass,     &v->size, &v->body.mass,
                             &v->body.radius, &v->altitude, &v->bank, &v->pitch};
  for (unsigned i = 0; i < sizeof numbers / sizeof numbers[0]; ++i) {
    if (!ParseCsvNumber(path, fields[i + 1], numbers[i], error)) return false;
  }
  return true;
}

}  // namespace

bool LoadScenario(const char *path, HostVessel **vessels, unsigned *count, CsvError *error) {
  return LoadVesselTable(path, SCENARIO_HEADER, FillScenarioVessel, vessels, count, error);
}
