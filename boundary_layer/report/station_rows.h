// Report lines of the march: "CalcBl.out" and the diagnostic lines on
// standard output, each from the values handed to it.  Every writer returns
// at once, without formatting anything, when report writing is switched
// off.
#pragma once

#include <string>

#include "core/layer_profiles.h"
#include "report/report_files.h"

namespace bl {

// One converged station as its row prints it (I5, 7E12.5, 5I5).
struct StationRow {
  int station = 0;
  double x = 0, ue = 0, me = 0, d1 = 0, rov = 0, cf = 0;
  double dumax = 0;     // largest velocity correction of the last iteration
  int jumax = 0;        // its grid point
  int iterations = 0;   // Newton iterations of the station
  int np = 0;           // grid points in use
  int ninv = 0;         // station where the inverse mode began, or 0
  int ktbl = 0;         // 1 laminar, 2 turbulent
};

// The values heading a pass in "CalcBl.out".
struct PassHeader {
  double re = 0, xtr = 0, xinv = 0;
  int np = 0;
  double etae = 0, vgp = 0;
  const char* turbulence = nullptr;  // the closure's title, when it is not the default one
  const char* start = nullptr;       // how the layer starts, when not at a stagnation point
};

// Free-form line " " + text to "CalcBl.out".
void calc_note(ReportFiles& reports, const char* text);

// "Upper surface,  Element=" or "Lower surface,  Element=" with the
// section's one element, 0.
void calc_surface_line(ReportFiles& reports, bool upper);

// Pass header of "CalcBl.out": Re, XTR, XINV; NP, ETAE, VGP; the normal
// grid table (eta, deta, aa of the grid) for j = 1..NP.
void write_pass_header(ReportFiles& reports, const PassHeader& h, const LayerProfiles& grid);

// Standard output: header and row of the similarity wall shear F = f''(0)
// at station 2 (arc length x, local Reynolds number rx).
void write_start_diagnostics(ReportFiles& reports, double x, double F, double rx);

// Standard output: the wall value w of the shear at station s after its
// start profile, with its skin friction for edge velocity ue, sqrt(Re) and
// Re_x.
void write_start_station(ReportFiles& reports, int s, double x, double w, double ue, double sqre, double rx);

// Text of a station row, without the newline.
std::string station_row(const StationRow& r);

// The row to "CalcBl.out" and standard output, each preceded by its column
// header at station 3 and every multiple of 40.
void write_station_row(ReportFiles& reports, const StationRow& r);

// Standard output: station P at arc length x, edge velocity ue accepted
// after `iterations` Newton iterations with largest correction dumax.
void write_iteration_limit(ReportFiles& reports, int iterations, int P, double x, double ue, double dumax);

// "CalcBl.out" and standard output: free-form line text, then P.
void write_station_note(ReportFiles& reports, const char* text, int P);

// "CalcBl.out" and standard output: the pass ended early at station P.
void write_pass_stop(ReportFiles& reports, int P, const std::string& why);

// "CalcBl.out" and standard output: the outer edge of the normal grid was
// held at its capacity from station P on.
void write_edge_limited(ReportFiles& reports, int P);

}  // namespace bl
