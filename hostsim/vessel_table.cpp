#include "hostsim/vessel_table.h"

#include "hostsim/number_text.h"
#include "hostsim/sim_libc.h"

namespace {

struct TableReader {
  const char *path;
  VesselRowFiller fill;
  HostVessel *vessels;
  unsigned count;
  unsigned capacity;
};

bool ReadName(const char *path, const CsvField &field, char *name, size_t size, CsvError *error) {
  if (field.length == 0 || field.length >= size) {
    char what[96];
    FormatText(what, sizeof what, "expected a vessel name of 1 to %u characters",
               static_cast<unsigned>(size - 1));
    SetCsvError(error, path, field.line, field.column, what);
    return false;
  }
  memcpy(name, field.text, field.length);
  name[field.length] = '\0';
  return true;
}

bool OnRow(void *context, const CsvField *fields, CsvError *error) {
  TableReader &reader = *static_cast<TableReader *>(context);
  if (reader.count == reader.capacity) {
    const unsigned grown = reader.capacity == 0 ? 16 : reader.capacity * 2;
    void *moved = realloc(reader.vessels, grown * sizeof(HostVessel));
    if (moved == nullptr) {
      FormatText(error->message, sizeof error->message, "%s: out of memory", reader.path);
      return false;
    }
    reader.vessels = static_cast<HostVessel *>(moved);
    reader.capacity = grown;
  }
  HostVessel &v = reader.vessels[reader.count];
  memset(&v, 0, sizeof v);
  if (!ReadName(reader.path, fields[0], v.name, sizeof v.name, error)) return false;
  if (!reader.fill(reader.path, fields, &v, error)) return false;
  ++reader.count;
  return true;
}

}  // namespace

bool LoadVesselTable(const char *path, const char *header, VesselRowFiller fill,
                     HostVessel **vessels, unsigned *count, CsvError *error) {
  TableReader reader = {path, fill, nullptr, 0, 0};
  if (!ReadCsvFile(path, header, OnRow, &reader, error)) {
    free(reader.vessels);
    return false;
  }
  *vessels = reader.vessels;
  *count = reader.count;
  return true;
}
