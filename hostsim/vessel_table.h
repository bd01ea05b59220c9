// The stand-in host's vessel files, scenario and flight alike: a CSV of
// vessels, one a row, the first field the vessel's name. The row handler
// of each kind of file fills in the rest of the vessel's record.
#pragma once

#include "hostsim/csv_reader.h"
#include "hostsim/recording_host.h"

// Fills one vessel, already named and otherwise zero, from its row; false
// with a complaint naming the field's place.
typedef bool (*VesselRowFiller)(const char *path, const CsvField *fields, HostVessel *vessel,
                                CsvError *error);

// Reads the file into a new array (free it with free()).
bool LoadVesselTable(const char *path, const char *header, VesselRowFiller fill,
                     HostVessel **vessels, unsigned *count, CsvError *error);
