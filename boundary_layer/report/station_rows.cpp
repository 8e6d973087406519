// Lines of the march report (CalcBl.out) and the march's diagnostic lines.
#include "report/station_rows.h"

#include <cmath>
#include <initializer_list>
#include <iostream>
#include <ostream>
#include <sstream>

#include "march/pass.h"
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

// I5, then E15.6 each value.
void diagnostic_row(Pass& p, int s, std::initializer_list<double> values) {
  p.reports.diag_out() << fx::I(5, s);
  for (double q : values) p.reports.diag_out() << fx::E(15, 6, q);
  p.reports.diag_out() << "\n";
}

}  // namespace

// Row I5, 7E12.5, 5I5 of station P.
std::string station_row(const Pass& p, int P) {
  const WorkArrays& wa = p.wa;
  const SolverScalars& sd = p.sd;
  const MarchState& ms = p.ms;
  ReportText r;
  r << fx::I(5, P);
  for (double q : {wa.x(P), wa.ue(P), wa.eme(P), wa.d1b(P), wa.rov(P), wa.cfb(P), ms.DUmax})
    r << fx::E(12, 5, q);
  for (int n : {ms.JUmax, ms.kIter, sd.NP, ms.ninv, ms.ktbl}) r << fx::I(5, n);
  return r.str();
}

void calc_note(Pass& p, const char* text) {
  if (!p.reports.enabled()) return;
  p.reports.stream(Report::CalcBl) << fx::ff(text) << "\n";
}

void calc_surface_line(Pass& p, int isurf, int k) {
  if (!p.reports.enabled()) return;
  p.reports.stream(Report::CalcBl) << fx::ff(isurf == 0 ? "Upper surface,  Element=" : "Lower surface,  Element=", k)
                         << "\n";
}

void write_pass_header(Pass& p) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  if (!p.reports.enabled()) return;
  ReportText& out = p.reports.stream(Report::CalcBl);
  out << " Re=" << fx::F(15, 3, sd.RE) << "    XTR=" << fx::F(10, 3, sd.XTR) << "   XINV=" << fx::F(10, 3, sd.XINV)
      << "\n";
  out << " NP=" << fx::I(5, sd.NP) << "   ETAE=" << fx::F(10, 3, sd.ETAE) << "   VGP=" << fx::F(10, 3, sd.VLBL)
      << "\n";
  out << "\n" << fx::rule(50, '=') << "\n";
  out << "    I         ETA           DETA              A   " << "\n";
  out << fx::rule(50, '-') << "\n";
  for (int j = 1; j <= sd.NP; ++j)
    out << fx::I(5, j) << fx::E(15, 4, wa.eta(j)) << fx::E(15, 4, wa.deta(j)) << fx::E(15, 4, wa.aa(j)) << "\n";
  out << fx::rule(50, '-') << "\n\n";
}

void write_start_diagnostics(Pass& p) {
  WorkArrays& wa = p.wa;
  const StartingProfile& sp = p.sp;
  if (!p.reports.enabled()) return;
  p.reports.diag_out() << "   NX" << fx::X(8) << "X" << fx::X(10) << "VFOL or V" << fx::X(9) << "CF" << fx::X(13) << "TF"
            << fx::X(11) << "TF_EXACT" << "\n";
  // Similarity wall shear F = f''(0); Cf sqrt(Re_x) = 2 F for ue = a x.
  const double F = sp.v_s(1);
  diagnostic_row(p, 2, {wa.x(2), F, 2.0 * F / std::sqrt(wa.rx(2)), F, kHiemenzShear});
}

void write_start_station(Pass& p, int s, int K) {
  WorkArrays& wa = p.wa;
  SolverScalars& sd = p.sd;
  if (!p.reports.enabled()) return;
  const double w = wa.v(K, 1);
  const double ue = wa.ue(s);
  const double cf = 2.0 * w / (ue * ue * sd.SQRE);
  diagnostic_row(p, s, {wa.x(s), w, cf, 0.5 * cf * std::sqrt(wa.rx(s))});
}

void write_station_row(Pass& p, int P) {
  if (!p.reports.enabled()) return;
  ReportText& out = p.reports.stream(Report::CalcBl);
  const bool header = P == 3 || P % 40 == 0;
  const std::string row = station_row(p, P);
  if (header) {
    out << "\n" << station_header(false) << "\n";
    p.reports.diag_out() << "\n" << station_header(true) << "\n";
  }
  out << row << "\n";
  p.reports.diag_out() << row << "\n";
}

void write_iteration_limit(Pass& p, int P) {
  WorkArrays& wa = p.wa;
  MarchState& ms = p.ms;
  if (!p.reports.enabled()) return;
  p.reports.diag_out() << " k_iter > k_iterMax" << " IT=" << fx::I(5, ms.kIter) << " NX=" << fx::I(5, P)
            << "   X=" << fx::E(15, 5, wa.x(P)) << "  UE=" << fx::E(15, 5, wa.ue(P)) << fx::E(15, 5, ms.DUmax)
            << "\n";
}

void write_station_note(Pass& p, const char* text, int P) {
  if (!p.reports.enabled()) return;
  const std::string line = fx::ff(text, P);
  p.reports.stream(Report::CalcBl) << line << "\n";
  p.reports.diag_out() << line << "\n";
}

void write_pass_stop(Pass& p, int P, const std::string& why) {
  if (!p.reports.enabled()) return;
  const std::string line = fx::ff("The pass stopped at station", P);
  const std::string reason = fx::ff(why.c_str());
  p.reports.stream(Report::CalcBl) << line << "\n" << reason << "\n";
  p.reports.diag_out() << line << "\n" << reason << "\n";
}

void write_edge_limited(Pass& p, int P) {
  if (!p.reports.enabled()) return;
  const std::string line =
      fx::ff("The outer edge of the normal grid was held at", kMaxGridPoints, " points from station", P);
  p.reports.stream(Report::CalcBl) << line << "\n";
  p.reports.diag_out() << line << "\n";
}

}  // namespace bl
