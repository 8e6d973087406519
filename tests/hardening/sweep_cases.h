// Random cases of the hardening sweep: every input a user can give the
// command line, and the raw data the boundary-layer library can be handed.
//
// A case is a pure function of (seed, index), so any one case can be run
// again alone with --only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sweep {

// Deterministic generator: splitmix64, so that a seed gives the same cases
// with every standard library.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  double uniform(double lo, double hi);     // lo <= x < hi
  double logUniform(double lo, double hi);  // lo, hi > 0
  int integer(int lo, int hi);              // lo <= k <= hi
  bool chance(double p);

 private:
  std::uint64_t state_;
};

// One run of veltaro-cli.
struct CliCase {
  std::vector<std::string> args;  // after the program name
  std::string surfaceTable;       // contents of surface.txt, when --surface is given
  bool mustRefuse = false;        // input that can only be bad input (exit code 2)
  bool save = false, bl = false, sweep = false;
  bool viscous = false;           // --viscous: the coupling sweeps, on a grid small enough to run them
  int recalc = 0;
  std::string json;               // json file name in the work folder, or "" / "-"
};

// One computation through the library, in the program's own process.
struct LibCase {
  enum Kind { Section, RawContour, RawSurface } kind = Section;
  // Section: the window's inputs.
  double alpha = 0, e = 0, h = 0;
  int n = 0;
  // RawContour: points handed over as they are, possibly fewer than n + 1.
  // RawSurface: a surface of nodes nodes (at most 600 given, the rest
  // zero), s the arc length and v the edge velocity.
  std::vector<double> s, v;
  int nodes = 0;
  // Parameters handed over as they are, unchecked.
  double re_mill = 0, eta_e = 0, kv = 0, cfs = 0, str[2] = {0, 0}, sinv[2] = {0, 0};
  int np = 0;
  int recalc = 0;
};

struct Case {
  enum Kind { Cli, Lib } kind = Cli;
  CliCase cli;
  LibCase lib;
  std::string describe() const;  // one line a person can run again
};

Case makeCase(std::uint64_t seed, long index);

// The shell words of a command line, quoted.
std::string shellWords(const std::vector<std::string>& args);

}  // namespace sweep
