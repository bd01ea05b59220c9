// hostsim as a user runs it: the real module binary loaded by path, the
// sample scenarios, and every kind of bad input refused before any step.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>

#include "cli_runner.h"

namespace {

const std::string HOSTSIM = HOSTSIM_PATH;
const std::string SCENARIOS = SCENARIO_DIR;
const char HEADER[] = "name,atm_density,mass,size,body_mass,body_radius,altitude,bank,pitch\n";

CommandResult Hostsim(const std::string &args) { return RunCommand(HOSTSIM + " " + args); }

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  std::stringstream s(text);
  for (std::string line; std::getline(s, line);) lines.push_back(line);
  return lines;
}

TEST(HostsimCli, WorkedCaseForceInCsv) {
  const CommandResult r = Hostsim("--scenario " + SCENARIOS + "/worked_case.csv --csv");
  ASSERT_EQ(0, r.status) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(3u, lines.size()) << r.out;
  EXPECT_EQ("step,vessel,fx,fy,fz,line", lines[0]);
  EXPECT_EQ(0u, lines[1].find("0,0,0x0p+0,0x1.7fdc4428f5c28p+12,0x0p+0,")) << lines[1];
}

TEST(HostsimCli, DocumentedStatusLinesInCsv) {
  const CommandResult r = Hostsim("--scenario " + SCENARIOS + "/status_lines.csv --csv");
  ASSERT_EQ(0, r.status) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  const char *expected[] = {
      "MASS:1000 kg MEAN:10 m VOL:523.6 m3 DENS:1.9099 kg/m3 LIFT:6141.8 N",
      "MASS:2.5e+005 kg MEAN:60 m VOL:1.131e+005 m3 DENS:2.2105 kg/m3 LIFT:1.3543e+006 N",
      "MASS:0.5 kg MEAN:0.05 m VOL:6.545e-005 m3 DENS:7639.4 kg/m3 LIFT:0.00078372 N",
      "MASS:1000 kg MEAN:0 m VOL:0 m3 DENS:1.#INF kg/m3 LIFT:0 N",
      "MASS:0 kg MEAN:0 m VOL:0 m3 DENS:-1.#IND kg/m3 LIFT:0 N",
  };
  ASSERT_EQ(6u, lines.size()) << r.out;
  for (size_t i = 0; i < 5; ++i) {
    const std::string &row = lines[i + 1];
    EXPECT_EQ(expected[i], row.substr(row.rfind(',') + 1));
  }
}

TEST(HostsimCli, StepsRepeatTheSameForces) {
  const CommandResult r = Hostsim("--scenario " + SCENARIOS + "/sample.csv --csv --steps 3");
  ASSERT_EQ(0, r.status) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(1u + 3 * 6, lines.size());
  for (size_t i = 1; i <= 6; ++i) {
    // Same row but for the step number in front.
    EXPECT_EQ(lines[i].substr(1), lines[i + 6].substr(1));
    EXPECT_EQ(lines[i].substr(1), lines[i + 12].substr(1));
  }
}

TEST(HostsimCli, TableAndTraceForPeople) {
  const CommandResult r = Hostsim("--scenario " + SCENARIOS + "/worked_case.csv --trace");
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("worked-level"));
  EXPECT_NE(std::string::npos, r.out.find("6141.7666"));
  EXPECT_NE(std::string::npos, r.err.find("trace: oapiGetVesselCount() -> 2"));
  EXPECT_NE(std::string::npos,
            r.err.find("trace: VESSEL::AddForce(F=(0x0p+0, 0x1.7fdc4428f5c28p+12"));
}

TEST(HostsimCli, InfoListsTheExportsAndTheVersion) {
  const CommandResult r = Hostsim("--info");
  ASSERT_EQ(0, r.status) << r.err;
  for (const char *name : {"opcTimestep", "opcDLLInit", "opcDLLExit", "GetModuleVersion"}) {
    EXPECT_NE(std::string::npos, r.out.find(std::string(name) + " ")) << r.out;
  }
  EXPECT_NE(std::string::npos, r.out.find("GetModuleVersion  20050206")) << r.out;
}

// The trace begins with InitLib at load and ends with the exit hook at
// unload, both with the module's handle.
TEST(HostsimCli, TraceShowsLoadAndUnload) {
  const CommandResult r = Hostsim("--scenario " + SCENARIOS + "/worked_case.csv --trace --csv");
  ASSERT_EQ(0, r.status) << r.err;
  const std::vector<std::string> trace = Lines(r.err);
  ASSERT_GE(trace.size(), 2u);
  const std::string first = trace.front();
  const std::string last = trace.back();
  ASSERT_EQ(0u, first.find("trace: InitLib(module 0x")) << first;
  ASSERT_EQ(0u, last.find("trace: opcDLLExit(module 0x")) << last;
  EXPECT_EQ(first.substr(first.find("0x")), last.substr(last.find("0x")));
}

struct BadInput {
  const char *why;
  std::string content;   // empty: the file is not created
  std::string expected;  // a part of the message: place and what was expected
};

TEST(HostsimCli, BadInputIsRefusedWithItsPlace) {
  const BadInput cases[] = {
      {"missing file", "", "cannot be read"},
      {"wrong header", "name,mass\nx,1\n", ":1:1: expected the header name,atm_density"},
      {"missing field", std::string(HEADER) + "a,1,2,3,4,5,6,7\n",
       ":2:16: expected 9 fields, found 8"},
      {"extra field", std::string(HEADER) + "a,1,2,3,4,5,6,7,8,9\n",
       ":2:19: expected 9 fields, found 10"},
      {"bad number", std::string(HEADER) + "# fine\n\na,1,2,3x,4,5,6,7,8\n",
       ":4:7: expected a number (decimal, hex-float, inf, -inf or nan), found \"3x\""},
      {"empty file", "", "cannot be read"},
      {"empty name", std::string(HEADER) + ",1,2,3,4,5,6,7,8\n", ":2:1: expected a vessel name"},
  };
  int n = 0;
  for (const BadInput &c : cases) {
    const std::filesystem::path file = ScratchDir() / ("bad" + std::to_string(n++) + ".csv");
    if (!c.content.empty()) WriteFile(file, c.content);
    const CommandResult r = Hostsim("--scenario " + file.string() + " --csv");
    EXPECT_EQ(2, r.status) << c.why;
    EXPECT_EQ(0u, r.err.find("hostsim: " + file.string())) << c.why << ": " << r.err;
    EXPECT_NE(std::string::npos, r.err.find(c.expected)) << c.why << ": " << r.err;
    EXPECT_EQ("", r.out) << c.why << ": no step may run";
  }
}

TEST(HostsimCli, FlightPrintsTheOutcomeAndWritesTrajectoriesAndPlot) {
  const std::filesystem::path out = ScratchDir() / "flight";
  const CommandResult r =
      Hostsim("--flight " + SCENARIOS + "/flight_demo.csv --duration 60 --out " + out.string());
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("float altitude"));
  EXPECT_NE(std::string::npos, r.out.find("dense-object"));
  EXPECT_NE(std::string::npos, r.out.find("none"));  // the dense object cannot float
  const std::string trajectory = ReadFile(out / "000-small-balloon.csv");
  EXPECT_EQ(0u, trajectory.find("time,altitude,vertical_speed,air_density,lift,weight\n0.000,"));
  EXPECT_GT(std::filesystem::file_size(out / "altitude.png"), 1000u);
  EXPECT_NE(std::string::npos, ReadFile(out / "altitude.svg").find("<svg"));
}

TEST(HostsimCli, BadFlightInputIsRefusedWithItsPlace) {
  const BadInput cases[] = {
      {"wrong header", "name,mass\n",
       ":1:1: expected the header name,mass,size,altitude,bank,pitch"},
      {"negative mass", "name,mass,size,altitude,bank,pitch\na,-1,2,0,0,0\n",
       ":2:3: expected a positive, finite mass"},
      {"below ground", "name,mass,size,altitude,bank,pitch\na,1,2,-5,0,0\n",
       ":2:7: expected an altitude at or above the ground"},
      {"bad number", "name,mass,size,altitude,bank,pitch\na,1,2,0,x,0\n",
       ":2:9: expected a number"},
  };
  int n = 0;
  for (const BadInput &c : cases) {
    const std::filesystem::path file = ScratchDir() / ("badflight" + std::to_string(n++) + ".csv");
    WriteFile(file, c.content);
    const CommandResult r = Hostsim("--flight " + file.string());
    EXPECT_EQ(2, r.status) << c.why;
    EXPECT_NE(std::string::npos, r.err.find(file.string() + c.expected)) << c.why << ": " << r.err;
    EXPECT_EQ("", r.out) << c.why;
  }
  for (const char *args : {"--flight x.csv --dt 0", "--flight x.csv --duration -1",
                           "--flight x.csv --scenario y.csv"}) {
    EXPECT_EQ(2, Hostsim(args).status) << args;
  }
}

TEST(HostsimCli, EmptyScenarioRunsAStepWithNoVessels) {
  const std::filesystem::path file = ScratchDir() / "empty.csv";
  WriteFile(file, HEADER);
  const CommandResult r = Hostsim("--scenario " + file.string() + " --csv --trace");
  ASSERT_EQ(0, r.status) << r.err;
  EXPECT_EQ("step,vessel,fx,fy,fz,line\n", r.out);
  EXPECT_NE(std::string::npos, r.err.find("oapiGetVesselCount() -> 0"));
  EXPECT_EQ(std::string::npos, r.err.find("AddForce"));
}

TEST(HostsimCli, ModuleProblemsExitWithOne) {
  const std::filesystem::path notModule = ScratchDir() / "not-a-module.so";
  WriteFile(notModule, "plain text");
  const CommandResult garbage =
      Hostsim("--module " + notModule.string() + " --scenario " + SCENARIOS + "/sample.csv");
  EXPECT_EQ(1, garbage.status);
  EXPECT_NE(std::string::npos, garbage.err.find("cannot load")) << garbage.err;

  // A real shared object that lacks the export: the C maths library.
  Dl_info libm{};
  ASSERT_NE(0, dladdr(reinterpret_cast<void *>(&cos), &libm));
  const CommandResult noExport = Hostsim("--module " + std::string(libm.dli_fname) +
                                         " --scenario " + SCENARIOS + "/sample.csv");
  EXPECT_EQ(1, noExport.status);
  EXPECT_NE(std::string::npos, noExport.err.find("exports no opcTimestep")) << noExport.err;
}

TEST(HostsimCli, BadArgumentsShowUsage) {
  for (const char *args : {"", "--steps x --scenario a.csv", "--bogus"}) {
    const CommandResult r = Hostsim(args);
    EXPECT_EQ(2, r.status) << args;
    EXPECT_NE(std::string::npos, r.err.find("usage: hostsim")) << args;
  }
}

}  // namespace
