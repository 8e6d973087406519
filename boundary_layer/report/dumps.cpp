// Profile and linear-system dumps of a station (NetFunc.out, Debug.out).
#include "report/dumps.h"

#include <ostream>

#include "core/block_view.h"
#include "report/fortran_format.h"

namespace bl {

namespace {

// Header of the profile table: 4X,"I",9X,"ETA",11X,"DETA",12X,"A",14X,"F",
// 14X,"U",14X,"V",14X,"B",12X,"CCRO"
void profile_header(ReportText& out) {
  out << fx::X(4) << "I" << fx::X(9) << "ETA" << fx::X(11) << "DETA" << fx::X(12) << "A" << fx::X(14)
      << "F" << fx::X(14) << "U" << fx::X(14) << "V" << fx::X(14) << "B" << fx::X(12) << "CCRO";
}

// I5, 8E15.4 (plus T/Te - 1 when with_temperature): one grid point.
void profile_row(ReportText& out, int j, const std::array<double, 9>& row, bool with_temperature) {
  out << fx::I(5, j);
  for (int c = 0; c < 8; ++c) out << fx::E(15, 4, row[static_cast<std::size_t>(c)]);
  if (with_temperature) out << fx::E(15, 4, row[8]);
  out << "\n";
}

// 1X,"IT=",I5,1X,"NX=",I5,3X,"X=",E15.5,2X,"UE=",E15.5 (no newline)
void station_line(ReportText& out, const DumpHead& h) {
  out << fx::X(1) << "IT=" << fx::I(5, h.iterations) << fx::X(1) << "NX=" << fx::I(5, h.station) << fx::X(3) << "X="
      << fx::E(15, 5, h.x) << fx::X(2) << "UE=" << fx::E(15, 5, h.ue);
}

// I3 j, I3 k on the first line of a point, 3X, I3 k on the others.
void point_lead(ReportText& out, int j, int k) {
  out << (k == 1 ? fx::I(3, j) : fx::X(3)) << fx::I(3, k);
}

}  // namespace

ProfileTable profile_table(const LayerProfiles& lp, int K, int np) {
  ProfileTable t;
  t.rows.reserve(static_cast<std::size_t>(np > 0 ? np : 0));
  for (int j = 1; j <= np; ++j)
    t.rows.push_back({lp.eta(j), lp.deta(j), lp.aa(j), lp.f(K, j), lp.u(K, j), lp.v(K, j), lp.b(K, j), lp.ccro(K, j),
                      lp.tte(j) - 1.0});
  return t;
}

void dump_net(ReportFiles& reports, const DumpHead& head, double me, const ProfileTable& profile) {
  if (!reports.enabled()) return;
  ReportText& out = reports.stream(Report::NetFunc);
  out << "\n" << fx::rule(100, '=') << "\n";
  station_line(out, head);
  out << fx::X(2) << "ME=" << fx::E(15, 5, me) << "\n";
  profile_header(out);
  out << "\n" << fx::rule(125, '-') << "\n";
  int j = 0;
  for (const auto& row : profile.rows) profile_row(out, ++j, row, false);
  out << fx::rule(125, '-') << "\n\n";
}

void dump_sys(ReportFiles& reports, const DumpHead& head, double roe8, double emue8, double dumax, int jumax,
              const CoreArrays& ca, const ProfileTable& profile) {
  if (!reports.enabled()) return;
  ReportText& out = reports.stream(Report::Debug);
  const int neq = kNeq;
  const int np = static_cast<int>(profile.rows.size());
  out << "\n" << fx::rule(125, '=') << "\n";
  out << "\n";
  station_line(out, head);
  out << "\n";

  // Fluxes, residuals and Jacobians.
  out << "\n"
      << fx::X(2) << "j" << fx::X(2) << "k" << fx::X(6) << "Q" << fx::X(10) << "Qp" << fx::X(10) << "RQ"
      << fx::X(10) << "dQdx" << fx::X(68) << "dQpdx" << "\n";
  for (int j = 1; j <= np; ++j)
    for (int k = 1; k <= neq; ++k) {
      point_lead(out, j, k);
      out << fx::E(12, 3, ca.q(k, j)) << fx::E(12, 3, ca.qp(k, j)) << fx::E(12, 3, ca.rq(k, j));
      for (int m = 1; m <= neq; ++m) out << fx::E(12, 3, ca.dqdx(k, m, j));
      for (int m = 1; m <= neq; ++m) out << fx::E(12, 3, ca.dqpdx(k, m, j));
      out << "\n";
    }

  // Block system A d(j-1) + B d(j) + C d(j+1) = R and the pivot determinants.
  out << "\n" << fx::X(2) << "j" << fx::X(2) << "k" << fx::X(6) << "A";
  for (const char* h : {"A", "A", "B", "B", "B", "C", "C", "C", "R"}) out << fx::X(11) << h;
  out << "\n";
  for (int j = 1; j <= np; ++j)
    for (int k = 1; k <= neq; ++k) {
      point_lead(out, j, k);
      for (int m = 1; m <= neq; ++m) out << fx::E(12, 3, ca.amat(k, m, j));
      for (int m = 1; m <= neq; ++m) out << fx::E(12, 3, ca.bmat(k, m, j));
      for (int m = 1; m <= neq; ++m) out << fx::E(12, 3, ca.cmat(k, m, j));
      out << fx::E(12, 3, ca.rvec(k, j));
      if (k == 1) out << fx::E(12, 3, ca.det(j));
      out << "\n";
    }

  // Convergence measure; the energy equation is not solved (dhmax = 0).
  out << "\n" << fx::rule(125, '=') << "\n";
  out << "\n";
  station_line(out, head);
  out << fx::X(1) << "Roe/Ro8=" << fx::E(15, 5, roe8) << fx::X(1) << "Mue/Mu8=" << fx::E(15, 5, emue8) << "\n";
  out << fx::X(10) << fx::X(1) << "dumax=" << fx::E(15, 5, dumax) << fx::I(5, jumax) << fx::X(1)
      << "dhmax=" << fx::E(15, 5, 0.0) << fx::I(5, 0) << "\n";

  // Profiles with the temperature excess.
  out << "\n" << fx::rule(125, '=') << "\n";
  profile_header(out);
  out << fx::X(10) << "T/TE-1" << "\n";
  out << fx::rule(125, '-') << "\n";
  int j = 0;
  for (const auto& row : profile.rows) profile_row(out, ++j, row, true);
  out << fx::rule(125, '-') << "\n\n";
}

}  // namespace bl
