// The flight file: one vessel a row, its mass, size, starting altitude
// and fixed bank and pitch. The same strictness as the scenario file.
#pragma once

#include "hostsim/csv_reader.h"
#include "hostsim/flight.h"

constexpr const char *FLIGHT_HEADER = "name,mass,size,altitude,bank,pitch";

// Reads the file into a new array (free it with free()). Masses and sizes
// must be positive and altitudes at or above the ground.
bool LoadFlightPlan(const char *path, HostVessel **vessels, unsigned *count, CsvError *error);
