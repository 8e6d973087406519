// Split of the contour at the forward stagnation point into two surfaces (sxr_ue.out).
#include "setup/surface_split.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "report/fortran_format.h"

namespace bl {

namespace {

// Share of the stagnation panel inside which a contour point is dropped.
constexpr double kDropShare = 0.25;

// One surface table of "sxr_ue.out": I3 j, E12.4 arc length, E12.4 speed.
void write_surface_table(ReportText& out, const char* title, const SurfaceValues& surf) {
  out << "\n" << fx::rule(30, '-') << "\n" << title << "\n" << fx::rule(30, '-') << "\n";
  for (int j = 0; j < surf.nodes(); ++j)
    out << fx::I(3, j + 1) << fx::E(12, 4, surf.s[static_cast<std::size_t>(j)])
        << fx::E(12, 4, surf.ue[static_cast<std::size_t>(j)]) << "\n";
  out << fx::rule(30, '-') << "\n";
}

// A surface of n nodes whose node 1 is the stagnation point at (x0, y0);
// without coordinates when the contour has none.
SurfaceValues surface_from_stagnation(int n, bool placed, double x0, double y0) {
  SurfaceValues surf;
  surf.s.assign(static_cast<std::size_t>(n), 0.0);
  surf.ue.assign(static_cast<std::size_t>(n), 0.0);
  if (placed) {
    surf.x.assign(static_cast<std::size_t>(n), x0);
    surf.y.assign(static_cast<std::size_t>(n), y0);
  }
  surf.wall_nodes = n;
  surf.contour_point.assign(static_cast<std::size_t>(n), -1);
  return surf;
}

}  // namespace

Status split_at_stagnation(Contour& contour, ReportFiles& reports, SplitSurfaces& surfaces) {
  const int N = contour.n;
  if (N < 1 || N + 1 > kMaxContourPoints || static_cast<int>(contour.s.size()) < N + 1 ||
      static_cast<int>(contour.v.size()) < N + 1)
    return Status::failure("surface split: the contour has " + std::to_string(N + 1) +
                           " points; it needs from 2 to " + std::to_string(kMaxContourPoints) +
                           " (N from 1 to " + std::to_string(kMaxContourPoints - 1) + ")");
  // Contour point i (1-based, as the report counts) is entry i - 1.
  const auto V = [&](int i) { return contour.v[static_cast<std::size_t>(i - 1)]; };
  const bool placed = static_cast<int>(contour.x.size()) >= N + 1 && static_cast<int>(contour.y.size()) >= N + 1;
  const auto X = [&](int i) { return contour.x[static_cast<std::size_t>(i - 1)]; };
  const auto Y = [&](int i) { return contour.y[static_cast<std::size_t>(i - 1)]; };

  // A point without a finite arc length or speed would carry into the
  // surfaces and the stagnation interpolation; the sharp leading edge of a
  // section of zero thickness has an unbounded speed.
  for (int i = 1; i <= N + 1; ++i)
    if (!std::isfinite(contour.s[static_cast<std::size_t>(i - 1)]) || !std::isfinite(V(i)))
      return Status::failure("surface split: contour point " + std::to_string(i) + " has " +
                             (std::isfinite(V(i)) ? "an arc length" : "a surface speed") +
                             " that is not a finite number (a sharp leading edge, e/R1 = 0, has an "
                             "unbounded speed)");

  // Stagnation panel: the first panel over which the speed changes sign.
  int Icrit = 0;
  for (int i = 1; i <= N; ++i) {
    if (V(i) * V(i + 1) < 0) {
      Icrit = i;
      break;
    }
  }
  if (Icrit == 0)
    return Status::failure(
        "surface split: no stagnation point - the surface speed never changes sign "
        "strictly between neighbouring contour points");

  // Stagnation arc length: the zero of V by linear interpolation in the panel.
  std::vector<double> sv(contour.s.begin(), contour.s.begin() + N + 1);  // re-based below
  const auto s = [&](int i) -> double& { return sv[static_cast<std::size_t>(i - 1)]; };
  const double Sst = s(Icrit) - V(Icrit) * (s(Icrit + 1) - s(Icrit)) / (V(Icrit + 1) - V(Icrit));

  // Arc lengths from the stagnation point; node counts, and which of the
  // two panel ends give way to the stagnation node.  The panel length is
  // taken in single precision.
  for (int i = 1; i <= N + 1; ++i) s(i) = s(i) - Sst;
  const double d = static_cast<float>(s(Icrit + 1) - s(Icrit));
  const double SU = -s(Icrit) / d;
  const double SL = s(Icrit + 1) / d;
  const int N0_UP = SU > kDropShare ? 1 : 0;
  const int N0_LOW = SL > kDropShare ? 1 : 0;
  // A trailing edge with an angle (a wedge) is a stagnation point of the
  // inviscid flow: no layer can be marched onto it, and each surface ends at
  // the contour point before it.  (At a cusp the speed leaving the edge is
  // finite, and the edge is the last node.)
  const int N_UP = Icrit + N0_UP - (V(1) == 0.0 ? 1 : 0);
  const int N_LOW = N + 1 - Icrit + N0_LOW - (V(N + 1) == 0.0 ? 1 : 0);
  if (N_UP > kMaxSurfaceNodes || N_LOW > kMaxSurfaceNodes)
    return Status::failure("surface split: the upper surface would have " + std::to_string(N_UP) +
                           " and the lower " + std::to_string(N_LOW) + " nodes; a surface holds at most " +
                           std::to_string(kMaxSurfaceNodes) + " - use fewer contour intervals");

  // Everything is checked; from here on the split goes through unless the
  // report cannot be written.

  // The stagnation point's place on the section, at the same share of the
  // panel as its arc length.
  const double share = -V(Icrit) / (V(Icrit + 1) - V(Icrit));
  const double x0 = placed ? X(Icrit) + share * (X(Icrit + 1) - X(Icrit)) : 0.0;
  const double y0 = placed ? Y(Icrit) + share * (Y(Icrit + 1) - Y(Icrit)) : 0.0;

  // Lower surface: forward in contour order from the stagnation node.
  // Upper surface: backward in contour order from the stagnation node.
  // Node 1 of both is the stagnation point, arc length and speed 0.
  SurfaceValues lower = surface_from_stagnation(N_LOW, placed, x0, y0);
  SurfaceValues upper = surface_from_stagnation(N_UP, placed, x0, y0);
  const auto place = [&](SurfaceValues& surf, int j, int p) {
    surf.contour_point[static_cast<std::size_t>(j - 1)] = p - 1;  // the contour's own index, from 0
    if (!placed) return;
    surf.x[static_cast<std::size_t>(j - 1)] = X(p);
    surf.y[static_cast<std::size_t>(j - 1)] = Y(p);
  };
  for (int j = 2; j <= N_LOW; ++j) {
    const int p = Icrit - N0_LOW + j;
    lower.s[static_cast<std::size_t>(j - 1)] = s(p);
    lower.ue[static_cast<std::size_t>(j - 1)] = -V(p);
    place(lower, j, p);
  }
  for (int j = 2; j <= N_UP; ++j) {
    const int p = Icrit + N0_UP + 1 - j;
    upper.s[static_cast<std::size_t>(j - 1)] = -s(p);
    upper.ue[static_cast<std::size_t>(j - 1)] = V(p);
    place(upper, j, p);
  }

  // The report, assembled whole before it replaces the last one; not even
  // formatted when report writing is off.
  if (reports.enabled()) {
    ReportText out;
    out << "\n" << fx::rule(45, '-') << "\n" << "  I         S             Ue" << "\n" << fx::rule(45, '-') << "\n";
    for (int i = 1; i <= N + 1; ++i) out << fx::I(3, i) << fx::E(15, 4, s(i)) << fx::E(15, 4, V(i)) << "\n";
    out << fx::rule(45, '-') << "\n";
    const double mid = static_cast<float>(0.5 * (s(Icrit) + s(Icrit + 1)));
    out << "  Icrit=" << fx::I(5, Icrit) << "    Scrit=" << fx::E(15, 6, Sst) << fx::E(15, 6, mid) << "\n";
    out << "  N_UP=" << fx::I(2, Icrit) << "    N_LOW=" << fx::I(2, N + 1 - Icrit) << "  N_NODES=" << fx::I(2, N + 1)
        << "\n";
    out << "    SU=" << fx::E(15, 6, SU) << "    SL=" << fx::E(15, 6, SL) << "\n";
    out << "  N_UP=" << fx::I(2, N_UP) << "    N_LOW=" << fx::I(2, N_LOW) << "\n";
    out << " N0_UP=" << fx::I(2, N0_UP) << "   N0_LOW=" << fx::I(2, N0_LOW) << "\n";
    write_surface_table(out, "  I    S lower    Ue lower", lower);
    write_surface_table(out, "  I    S upper    Ue upper", upper);

    const Status written = reports.write_whole("sxr_ue.out", out.str());
    if (!written.ok) return Status::failure("surface split: " + written.message);
  }

  // Commit: re-based arc lengths and the surfaces.
  std::copy(sv.begin(), sv.end(), contour.s.begin());
  surfaces.upper = std::move(upper);
  surfaces.lower = std::move(lower);
  return Status{};
}

}  // namespace bl
