// Command-line options of veltaro-cli, parsed and checked before anything
// is computed.
#pragma once

#include <string>

namespace cli {

struct Options {
  // Aerofoil, with the window's defaults.
  double alpha = 12.0;  // angle of attack, degrees, -65..65
  double e = 0.131;     // thickness parameter e/R1, 0..1
  double h = 0.0;       // camber parameter h/R1, -0.8..0.8
  int n = 256;          // contour intervals; held to 8..1199 like the window
  bool save = false;    // write the result file

  // Boundary layer, with the boundary-layer window's defaults.
  bool bl = false;
  int recalc = 0;  // presses of "Recalculate" after the first computation
  double re_mill = 10.0;
  double eta_e = 6.0;
  double kv = 1.1;
  int np = 41;
  double cfs = 0.15;
  double str_u = 0.02;
  double str_l = 0.03;

  std::string surface;  // table of s and ue for one pass
  std::string sweep;    // A0:A1:DA
  double sweep_from = 0, sweep_to = 0, sweep_step = 0;
  int sweep_count = 0;

  std::string contour;  // Selig contour file of the section
  std::string plot;     // SVG picture of the pressure plot

  std::string outdir = ".";
  bool verbose = false;  // also print the solver's diagnostic lines
  std::string json;  // file, or "-" for standard output
};

// Outcome of parsing: run, stop with exit code 0 (help, version), or bad
// input with a one-line message for standard error (exit code 2).
struct ParseResult {
  enum Kind { Run, Exit } kind = Run;
  int code = 0;
  std::string message;
};

ParseResult parse(int argc, char** argv, Options& opt);

}  // namespace cli
