// The replay scenario: one vessel a row, each row the host's answers to
// that vessel's queries, the same in every step.
#pragma once

#include "hostsim/csv_reader.h"
#include "hostsim/recording_host.h"

constexpr const char *SCENARIO_HEADER =
    "name,atm_density,mass,size,body_mass,body_radius,altitude,bank,pitch";

// Reads the file into a new array (free it with free()). On bad input
// returns false with a complaint naming file, line and column.
bool LoadScenario(const char *path, HostVessel **vessels, unsigned *count, CsvError *error);
