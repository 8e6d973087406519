// Split of the contour at the forward stagnation point into two surfaces (sxr_ue.out).
#include "setup/surface_split.h"

#include <cmath>
#include <sstream>
#include <string>

#include "session/exchange_data.h"
#include "report/report_files.h"
#include "report/fortran_format.h"

namespace bl {

namespace {

// Share of the stagnation panel inside which a contour point is dropped.
constexpr double kDropShare = 0.25;

// A surface before it is committed to the exchange data: arc length and
// inviscid edge speed per node, zero at node 1 (the stagnation point).
struct Surface {
  Alloc1<double> s, ue;
  explicit Surface(int n) {
    s.allocate(n);
    ue.allocate(n);
  }
  int size() const { return s.size(); }
};

// One surface table of "sxr_ue.out": I3 j, E12.4 arc length, E12.4 speed.
void write_surface_table(ReportText& out, const char* title, const Surface& surf) {
  out << "\n" << fx::rule(30, '-') << "\n" << title << "\n" << fx::rule(30, '-') << "\n";
  for (int j = 1; j <= surf.size(); ++j)
    out << fx::I(3, j) << fx::E(12, 4, surf.s(j)) << fx::E(12, 4, surf.ue(j)) << "\n";
  out << fx::rule(30, '-') << "\n";
}

// Surface into its slot: s_bl, and the inviscid speed into ue_bl and ue_inv.
void store(ExchangeData& blx, const Surface& surf, int slot) {
  blx.n_bl(slot) = surf.size();
  for (int j = 1; j <= surf.size(); ++j) {
    blx.s_bl(j, slot) = surf.s(j);
    blx.ue_bl(j, slot) = blx.ue_inv(j, slot) = surf.ue(j);
  }
}

}  // namespace

Status BLPanel(ExchangeData& blx, ReportFiles& reports, int k) {
  using X = ExchangeData;
  if (k < 0 || k >= X::kElements)
    return Status::failure("surface split: element " + std::to_string(k) + " does not exist (0.." +
                           std::to_string(X::kElements - 1) + ")");
  const int N = blx.n_cont(k);
  if (N < 1 || N + 1 > X::kMaxContour)
    return Status::failure("surface split: the contour has " + std::to_string(N + 1) +
                           " points; it needs from 2 to " + std::to_string(X::kMaxContour) +
                           " (N from 1 to " + std::to_string(X::kMaxContour - 1) + ")");
  const auto& V = blx.v_cont;

  // A point without a finite arc length or speed would carry into the
  // surface tables and the stagnation interpolation; the sharp leading edge
  // of a section of zero thickness has an unbounded speed.
  for (int i = 1; i <= N + 1; ++i)
    if (!std::isfinite(blx.s_cont(i)) || !std::isfinite(V(i)))
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
  Alloc1<double> s;  // working copy of the arc lengths, re-based below
  s.allocate(N + 1);
  for (int i = 1; i <= N + 1; ++i) s(i) = blx.s_cont(i);
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
  const int N_UP = Icrit + N0_UP;
  const int N_LOW = N + 1 - Icrit + N0_LOW;
  if (N_UP > X::kMaxNodes || N_LOW > X::kMaxNodes)
    return Status::failure("surface split: the upper surface would have " + std::to_string(N_UP) +
                           " and the lower " + std::to_string(N_LOW) + " nodes; a surface holds at most " +
                           std::to_string(X::kMaxNodes) + " - use fewer contour intervals");

  // Everything is checked; from here on the split goes through unless the
  // report cannot be written.

  // Lower surface: forward in contour order from the stagnation node.
  // Upper surface: backward in contour order from the stagnation node.
  // Node 1 of both is the stagnation point, arc length and speed 0.
  Surface lower(N_LOW), upper(N_UP);
  for (int j = 2; j <= N_LOW; ++j) {
    const int p = Icrit - N0_LOW + j;
    lower.s(j) = s(p);
    lower.ue(j) = -V(p);
  }
  for (int j = 2; j <= N_UP; ++j) {
    const int p = Icrit + N0_UP + 1 - j;
    upper.s(j) = -s(p);
    upper.ue(j) = V(p);
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

  // Commit: re-based arc lengths, surfaces and node counts.
  for (int i = 1; i <= N + 1; ++i) blx.s_cont(i) = s(i);
  store(blx, lower, X::slot(k, 1));
  store(blx, upper, X::slot(k, 0));
  blx.n_bl_max = N_UP > N_LOW ? N_UP : N_LOW;
  return Status{};
}

}  // namespace bl
