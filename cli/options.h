// Command-line options of veltaro-cli, parsed and checked before anything
// is computed.
#pragma once

#include <string>
#include <vector>

#include "joukowski.h"
#include "core/parameters.h"

namespace cli {

struct Options {
  // Aerofoil, with the window's start values; N is held to 8..1199 like
  // the window holds it.
  aerofoil::SectionInputs section;
  bool save = false;  // write the result file

  // Boundary layer, with the boundary-layer window's start values.
  bool bl = false;
  bool viscous = false;  // the layer and its wake acting back on the outer flow
  int recalc = 0;  // presses of "Recalculate" after the first computation
  bl::ComputationParameters params;
  double xtr_xc[2] = {0, 0};  // --xtr-u, --xtr-l as read; into params.xtr_xc when given

  std::string surface;  // table of s and ue for one pass
  double start_theta = 0, start_h = 0;  // --start-theta, --start-h: a turbulent layer at its first node
  bool started() const { return start_theta > 0; }
  std::string sweep;    // A0:A1:DA
  std::vector<double> sweep_angles;  // the angles it names, in order
  int jobs = 0;          // angles of a sweep at once; 0: one per core
  bool reports = false;  // a sweep's report files, one folder per angle

  std::string contour;  // Selig contour file of the section
  std::string plot;     // SVG picture of the pressure plot (with --bl, and the boundary layer's)
  std::string quantity = "cf";  // boundary-layer quantity of that picture: cf, d1, d2 or h12

  std::string probe;           // --probe X,Y as given
  double probe_x = 0, probe_y = 0;  // the point it names, chord axes

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
