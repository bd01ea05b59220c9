// Flight mode's physics with the module in process: the standard
// atmosphere against its published table, and vessels that float, fall
// and sit in vacuum.
#include "hostsim/flight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "hostsim/standard_atmosphere.h"
#include "module/module_api.h"

namespace {

// Every layer of the model, by geometric altitude (the model's layers are
// bounded in geopotential altitude, so these fall inside them).
struct TableRow {
  double altitude;  // m, geometric
  double density;   // kg/m3, U.S. Standard Atmosphere 1976
};

TEST(StandardAtmosphere, MatchesThePublishedTable) {
  const TableRow table[] = {
      {0, 1.2250},        {1000, 1.1117},     {5000, 0.73643},    {10000, 0.41351},
      {11000, 0.36480},   {15000, 0.19476},   {20000, 0.088910},  {30000, 0.018410},
      {32000, 0.013555},  {40000, 0.0039957}, {50000, 0.0010269}, {60000, 3.0968e-4},
      {70000, 8.2829e-5}, {80000, 1.8458e-5}, {86000, 6.958e-6},
  };
  for (const TableRow &row : table) {
    EXPECT_NEAR(row.density, StandardAtmosphereDensity(row.altitude), row.density * 1e-3)
        << row.altitude << " m";
  }
  EXPECT_EQ(0.0, StandardAtmosphereDensity(86001));  // the air ends with the model
}

TEST(StandardAtmosphere, FloatAltitudeInvertsTheDensity) {
  for (double h : {0.5, 300.0, 5000.0, 11000.0, 25000.0, 60000.0, 85000.0}) {
    double found = 0;
    ASSERT_TRUE(FloatAltitude(StandardAtmosphereDensity(h), &found)) << h;
    EXPECT_NEAR(h, found, 1e-3) << h;
  }
  double found = 0;
  EXPECT_FALSE(FloatAltitude(1.3, &found));   // denser than air at the ground
  EXPECT_FALSE(FloatAltitude(1e-6, &found));  // lighter than air at 86 km
}

struct Flight {
  std::vector<HostVessel> vessels;
  std::vector<FlightState> states;
  FlightSettings settings;

  void Add(double mass, double size, double altitude) {
    HostVessel v{};
    v.mass = mass;
    v.size = size;
    v.altitude = altitude;
    vessels.push_back(v);
  }
  void Fly(double seconds) {
    states.resize(vessels.size());
    for (size_t i = 0; i < vessels.size(); ++i) {
      PrepareFlightVessel(&vessels[i], &states[i], settings);
    }
    HostSetVessels(vessels.data(), static_cast<unsigned>(vessels.size()));
    const int steps = static_cast<int>(seconds / settings.step);
    for (int s = 0; s < steps; ++s) {
      FlightStep(vessels.data(), states.data(), static_cast<unsigned>(vessels.size()), settings,
                 opcTimestep, s * settings.step);
    }
  }
};

double MassFloatingAt(double altitude, double size) {
  return StandardAtmosphereDensity(altitude) * (size * size * size * 0.5236);
}

TEST(Flight, BalloonRisesAndSettlesWhereTheAirIsAsDenseAsItIs) {
  Flight flight;
  flight.Add(MassFloatingAt(5000, 2.0), 2.0, 0.0);       // from the ground, rising
  flight.Add(MassFloatingAt(12000, 10.0), 10.0, 20000);  // from above, sinking
  flight.Fly(3000);
  EXPECT_NEAR(5000, flight.vessels[0].altitude, 50);
  EXPECT_NEAR(12000, flight.vessels[1].altitude, 120);
  EXPECT_LT(std::fabs(flight.states[0].velocity), 0.5);  // the oscillation has died out
  EXPECT_LT(std::fabs(flight.states[1].velocity), 0.5);
}

TEST(Flight, DenserThanAirEndsOnTheGround) {
  Flight flight;
  flight.Add(50, 0.5, 2000);                            // a dense object dropped from 2 km
  flight.Add(MassFloatingAt(0, 3.0) * 1.01, 3.0, 0.0);  // just too heavy to lift off
  flight.Fly(120);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(0.0, flight.vessels[i].altitude) << i;
    EXPECT_EQ(0.0, flight.states[i].velocity) << i;
  }
}

TEST(Flight, VacuumAbove86KmGivesNoLift) {
  Flight flight;
  flight.Add(1.0, 5.0, 90000);
  flight.Fly(1.0);
  EXPECT_EQ(0.0, flight.vessels[0].atmDensity);
  EXPECT_EQ(0.0, flight.states[0].lift);
  EXPECT_LT(flight.states[0].velocity, 0.0);  // it falls
}

TEST(Flight, LiftArrivesAlongTheLocalVerticalWhateverTheAttitude) {
  Flight level, tilted;
  level.Add(1.0, 2.0, 1000);
  tilted.Add(1.0, 2.0, 1000);
  tilted.vessels[0].bank = 0.7;
  tilted.vessels[0].pitch = -0.4;
  level.Fly(0.1);
  tilted.Fly(0.1);
  EXPECT_GT(level.states[0].lift, 0.0);
  EXPECT_NEAR(level.states[0].lift, tilted.states[0].lift, 1e-12 * level.states[0].lift);
}

}  // namespace
