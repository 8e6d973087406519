// Lines of the march report (CalcBl.out) and the march's diagnostic lines.
#include "report/station_rows.h"

#include <cmath>
#include <initializer_list>
#include <iostream>
#include <ostream>
#include <sstream>

#include "report/fortran_format.h"

namespace bl {

namespace {

// Exact stagnation-point wall shear f''(0) of Hiemenz flow.
constexpr double kHiemenzShear = 1.2326f;

// Column header of the station rows:
// "   NX",7X,"X",10X,"UE",10X,"ME",10X,"D1",9X,"ROV",10X,"CF",8X,"DUmax",
// 4X,"JUmax",1X,"Kiter",1X,"NP" [,1X,"NINV",1X,"KTBL"]
std::string station_header(bool mode_columns) {
  ReportText h;
  h << "   NX" << fx::X(7) << "X" << fx::X(10) << "UE" << fx::X(10) << "ME" << fx::X(10) << "D1" << fx::X(9)
    << "ROV" << fx::X(10) << "CF" << fx::X(8) << "DUmax" << fx::X(4) << "JUmax" << fx::X(1) << "Kiter"
    << fx::X(1) << "NP";
  if (mode_columns) h << fx::X(1) << "NINV" << fx::X(1) << "KTBL";
  return h.str();
}

// The section's one element, as the surface lines number it.
constexpr int kElement = 0;

// I5, then E15.6 each value.
void diagnostic_row(ReportFiles& reports, int s, std::initializer_list<double> values) {
  reports.diag_out() << fx::I(5, s);
  for (double q : values) reports.diag_out() << fx::E(15, 6, q);
  reports.diag_out() << "\n";
}

}  // namespace

// Row I5, 7E12.5, 5I5.
std::string station_row(const StationRow& row) {
  ReportText r;
  r << fx::I(5, row.station);
  for (double q : {row.x, row.ue, row.me, row.d1, row.rov, row.cf, row.dumax}) r << fx::E(12, 5, q);
  for (int n : {row.jumax, row.iterations, row.np, row.ninv, row.ktbl}) r << fx::I(5, n);
  return r.str();
}

void calc_note(ReportFiles& reports, const char* text) {
  if (!reports.enabled()) return;
  reports.stream(Report::CalcBl) << fx::ff(text) << "\n";
}

void calc_surface_line(ReportFiles& reports, bool upper) {
  if (!reports.enabled()) return;
  reports.stream(Report::CalcBl) << fx::ff(upper ? "Upper surface,  Element=" : "Lower surface,  Element=", kElement)
                                 << "\n";
}

void write_pass_header(ReportFiles& reports, const PassHeader& h, const LayerProfiles& grid) {
  if (!reports.enabled()) return;
  ReportText& out = reports.stream(Report::CalcBl);
  out << " Re=" << fx::F(15, 3, h.re) << "    XTR=" << fx::F(10, 3, h.xtr) << "   XINV=" << fx::F(10, 3, h.xinv)
      << "\n";
  out << " NP=" << fx::I(5, h.np) << "   ETAE=" << fx::F(10, 3, h.etae) << "   VGP=" << fx::F(10, 3, h.vgp) << "\n";
  if (h.turbulence) out << " Turbulence model: " << h.turbulence << "\n";
  if (h.start) out << " Start: " << h.start << "\n";
  out << "\n" << fx::rule(50, '=') << "\n";
  out << "    I         ETA           DETA              A   " << "\n";
  out << fx::rule(50, '-') << "\n";
  for (int j = 1; j <= h.np; ++j)
    out << fx::I(5, j) << fx::E(15, 4, grid.eta(j)) << fx::E(15, 4, grid.deta(j)) << fx::E(15, 4, grid.aa(j))
        << "\n";
  out << fx::rule(50, '-') << "\n\n";
}

void write_start_diagnostics(ReportFiles& reports, double x, double F, double rx) {
  if (!reports.enabled()) return;
  reports.diag_out() << "   NX" << fx::X(8) << "X" << fx::X(10) << "VFOL or V" << fx::X(9) << "CF" << fx::X(13)
                     << "TF" << fx::X(11) << "TF_EXACT" << "\n";
  // Similarity wall shear F = f''(0); Cf sqrt(Re_x) = 2 F for ue = a x.
  diagnostic_row(reports, 2, {x, F, 2.0 * F / std::sqrt(rx), F, kHiemenzShear});
}

void write_start_station(ReportFiles& reports, int s, double x, double w, double ue, double sqre, double rx) {
  if (!reports.enabled()) return;
  const double cf = 2.0 * w / (ue * ue * sqre);
  diagnostic_row(reports, s, {x, w, cf, 0.5 * cf * std::sqrt(rx)});
}

void write_station_row(ReportFiles& reports, const StationRow& r) {
  if (!reports.enabled()) return;
  ReportText& out = reports.stream(Report::CalcBl);
  const bool header = r.station == 3 || r.station % 40 == 0;
  const std::string row = station_row(r);
  if (header) {
    out << "\n" << station_header(false) << "\n";
    reports.diag_out() << "\n" << station_header(true) << "\n";
  }
  out << row << "\n";
  reports.diag_out() << row << "\n";
}

void write_iteration_limit(ReportFiles& reports, int iterations, int P, double x, double ue, double dumax) {
  if (!reports.enabled()) return;
  reports.diag_out() << " k_iter > k_iterMax" << " IT=" << fx::I(5, iterations) << " NX=" << fx::I(5, P)
                     << "   X=" << fx::E(15, 5, x) << "  UE=" << fx::E(15, 5, ue) << fx::E(15, 5, dumax) << "\n";
}

void write_station_note(ReportFiles& reports, const char* text, int P) {
  if (!reports.enabled()) return;
  const std::string line = fx::ff(text, P);
  reports.stream(Report::CalcBl) << line << "\n";
  reports.diag_out() << line << "\n";
}

void write_pass_stop(ReportFiles& reports, int P, const std::string& why) {
  if (!reports.enabled()) return;
  const std::string line = fx::ff("The pass stopped at station", P);
  const std::string reason = fx::ff(why.c_str());
  reports.stream(Report::CalcBl) << line << "\n" << reason << "\n";
  reports.diag_out() << line << "\n" << reason << "\n";
}

void write_edge_limited(ReportFiles& reports, int P) {
  if (!reports.enabled()) return;
  const std::string line =
      fx::ff("The outer edge of the normal grid was held at", kMaxGridPoints, " points from station", P);
  reports.stream(Report::CalcBl) << line << "\n";
  reports.diag_out() << line << "\n";
}

}  // namespace bl
