// Faults of the command line found by the randomized sweep, each kept here
// so that it cannot come back.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "summary.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
  int code = -1;
  std::string err;
  int files = 0;     // files left in the folder
  std::string json;  // summary.json as the run left it
};

// veltaro-cli with shell words args in a fresh folder; setup is a shell
// command run there first, in the same shell.
CliRun runCli(const std::string& args, const std::string& setup = "true") {
  const std::string tag = "veltaro-cli-fault-" + std::to_string(::getpid());
  const fs::path dir = fs::temp_directory_path() / tag;
  const fs::path errFile = fs::temp_directory_path() / (tag + ".err");
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string cmd =
      "cd '" + dir.string() + "' && " + setup + " && " VELTARO_CLI " " + args + " >/dev/null 2>'" +
      errFile.string() + "'";
  const int status = std::system(cmd.c_str());
  CliRun r;
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(errFile);
  std::ostringstream s;
  s << in.rdbuf();
  r.err = s.str();
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) r.files += e.is_regular_file() ? 1 : 0;
  std::ifstream json(dir / "summary.json");
  std::ostringstream j;
  j << json.rdbuf();
  r.json = j.str();
  fs::remove_all(dir);
  fs::remove(errFile);
  return r;
}

cli::SurfaceResult trailingEdge(const char* name, double theta, double h, double ue) {
  cli::SurfaceResult r(name, bl::SurfaceResult{});
  r.wall_nodes = 2;
  for (auto& column : r.columns) column = {0.0, 0.0};
  r[bl::Column::d2][1] = theta;
  r[bl::Column::h12][1] = h;
  r[bl::Column::ue][1] = ue;
  return r;
}

}  // namespace

// An empty value was read as 0 (--n, --np), left the default in place
// (--str-u and the other reals) or switched the option off (--sweep,
// --surface, --json): the run went ahead on something the user never
// asked for.  Each is bad input now, with nothing computed or written.
TEST(CliFault, EmptyValueIsBadInput) {
  for (const char* option : {"--alpha", "--e", "--h", "--n", "--re-mill", "--eta-e", "--kv", "--np",
                             "--cfs", "--str-u", "--str-l", "--recalc", "--sweep", "--surface",
                             "--json", "--outdir"}) {
    const CliRun r = runCli(std::string(option) + " '' --bl --save");
    EXPECT_EQ(r.code, 2) << option;
    EXPECT_NE(r.err.find(std::string("veltaro-cli: ") + option), std::string::npos) << r.err;
    EXPECT_EQ(r.files, 0) << option;
  }
  EXPECT_EQ(runCli("--n ' ' --save").code, 2);
}

// Squire-Young needs a wake of positive momentum thickness leaving at a
// positive edge velocity.  A march driven far outside its range can end
// with theta_te < 0 or ue_te < 0, and pow() of a negative base then gave a
// bare "nan" in the polar table and null in the JSON, with no word why.
TEST(CliFault, DragEstimateOnlyFromAPhysicalTrailingEdge) {
  const auto upper = trailingEdge("upper", 2e-3, 1.6, 0.9);
  const auto lower = trailingEdge("lower", 1e-3, 1.4, 1.1);
  std::string why;
  const double cd = cli::squireYoung({upper, lower}, &why);
  EXPECT_NEAR(cd, 2 * 2e-3 * std::pow(0.9, 3.3) + 2 * 1e-3 * std::pow(1.1, 3.2), 1e-15);
  EXPECT_TRUE(why.empty());

  EXPECT_TRUE(std::isnan(cli::squireYoung({trailingEdge("upper", -57.6, -2.2, 0.3), lower}, &why)));
  EXPECT_NE(why.find("upper surface: trailing-edge momentum thickness"), std::string::npos) << why;
  EXPECT_TRUE(std::isnan(cli::squireYoung({upper, trailingEdge("lower", 1e-3, 1.4, -0.2)}, &why)));
  EXPECT_NE(why.find("lower surface: trailing-edge edge velocity"), std::string::npos) << why;

  cli::Options o;
  cli::Summary sum{&o, nullptr, {trailingEdge("upper", -57.6, -2.2, 0.3), lower}, {}};
  cli::collectWarnings(sum);
  ASSERT_EQ(sum.warnings.size(), 1u);
  EXPECT_EQ(sum.warnings[0].rfind("no Squire-Young drag estimate: upper surface", 0), 0u) << sum.warnings[0];
}

// The same in a real polar: a ten-point contour at Re = 2.7 million with a
// normal grid of steep step ratio, whose lower surface, every station
// converged, ends with a negative momentum thickness.
TEST(CliFault, PolarRowWithoutDragSaysWhy) {
  const CliRun r = runCli(
      "--n 10 --sweep 1.69:1.7:1 --re-mill 2.732 --eta-e 5.774 --kv 2.393 --cfs 1.72 --str-u 0.991 "
      "--str-l 0.671 --bl");
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.err.find("warning: alpha 1.69: no Squire-Young drag estimate: lower surface"), std::string::npos)
      << r.err;
}

// A polar saved at e/R1 = 0 writes inf or nan for the sharp leading edge
// into every result file; each angle says so.
TEST(CliFault, PolarResultFilesWithInfiniteSpeedSayWhy) {
  const CliRun r = runCli("--e 0 --sweep 0:2:2 --save");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.files, 2);
  EXPECT_NE(r.err.find("warning: alpha 0: point"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("warning: alpha 2: point"), std::string::npos) << r.err;
}

// A working folder that cannot take the files: removed under the program
// (as root no permission bit would stop a write), a report that is the
// full device, a file-size limit that cuts a report off part-way.  Every
// one is a message and exit code 1, never a silent success.
TEST(CliFailurePath, UnwritableFolderIsExitCode1WithAMessage) {
  const std::string gone = "mkdir g && cd g && rmdir ../g";
  // 20 KiB in /bin/sh's 512-byte blocks (40 KiB where they are 1024): the
  // split report of N = 256 fits, the march's input report (44 KiB) and a
  // result file of N = 1000 (52 KiB) do not.
  const std::string limit = "trap '' XFSZ && ulimit -f 40";
  const struct {
    const char* args;
    std::string setup;
    const char* said;
  } cases[] = {
      {"--save", gone, "Cannot create ./Airfoil_1.out"},
      {"--bl", gone, "surface split: Cannot create a file beside ./sxr_ue.out"},
      {"--json summary.json", gone, "Cannot create a file beside summary.json: No such file"},
      {"--bl", "ln -s /dev/full CalcBl.out", "writing the report \"./CalcBl.out\" failed"},
      {"--bl", limit, "writing the report \"./InputBl.out\" failed"},
      {"--save --n 1000", limit, "Cannot write ./Airfoil_1.out"},
  };
  for (const auto& c : cases) {
    const CliRun r = runCli(c.args, c.setup);
    EXPECT_EQ(r.code, 1) << c.args << " after " << c.setup << ": " << r.err;
    EXPECT_NE(r.err.find(c.said), std::string::npos) << c.args << ": " << r.err;
    if (std::string(c.args).rfind("--save", 0) == 0) {
      EXPECT_EQ(r.files, 0) << "a half-written result file";
    }
  }
}

// A run that failed kept its JSON from saying so ("warnings": [] after exit
// code 1), added a settling that never started ("did not settle in 0
// sweeps"), and named effects instead of causes.  Now the summary replaces
// an earlier one with a record of where and why the run failed, and the
// message names what the user can change.
TEST(CliFault, AFailedRunSaysWhereAndWhy) {
  const std::string earlier = "echo keep > summary.json";
  const struct {
    const char* args;
    const char* stage;
    int sweep;
    const char* said;
  } cases[] = {
      {"--bl --viscous --e 0", "boundary layer", 0, "e/R1 = 0"},
      {"--bl --n 385 --h 0.5 --e 0", "boundary layer", 0, "zero thickness"},
      {"--bl --viscous --re-mill 1e-4", "viscous analysis", 3, "sweep 3 of the viscous analysis"},
      {"--bl --viscous --e 0.577786336 --h 0.8 --alpha 0 --str-l 1.603", "viscous analysis", 11,
       "runs backwards on the lower surface at x/c 0.583"},
  };
  for (const auto& c : cases) {
    const CliRun r = runCli(std::string(c.args) + " --json summary.json", earlier);
    EXPECT_EQ(r.code, 1) << c.args << ": " << r.err;
    EXPECT_NE(r.err.find(c.said), std::string::npos) << c.args << ": " << r.err;
    EXPECT_EQ(r.err.find("did not settle"), std::string::npos) << c.args << ": " << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.json, nullptr, false);
    ASSERT_TRUE(j.is_object() && j.contains("failed")) << c.args << ": " << r.json;
    EXPECT_EQ(j["failed"]["stage"], c.stage) << c.args;
    EXPECT_EQ(j["failed"].value("sweep", 0), c.sweep) << c.args;
    EXPECT_NE(j["failed"]["message"].get<std::string>().find(c.said), std::string::npos) << c.args;
  }
}
