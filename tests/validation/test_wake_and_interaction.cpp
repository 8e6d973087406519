// The layer carried on into the wake, and the interaction law: a flat-plate
// layer continued into a wake at constant edge velocity keeps its momentum
// thickness (no wall shear, no pressure gradient) while the shape factor
// falls towards 1; a law without coupling is the march on the outer flow's
// edge velocity; the thin-aerofoil law carries the default section's upper
// surface at 20 degrees through separation, where the prescribed edge
// velocity breaks down, and on through the wake.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "../bl/surface_table.h"
#include "joukowski.h"
#include "march/pass.h"
#include "march/surface_march.h"
#include "session/session.h"

namespace {

using bl::Column;

bl::SurfaceResult march(const bl::SurfaceValues& surface, const bl::ComputationParameters& params,
                        const bl::InteractionLaw* law = nullptr) {
  bl::SolverState state;
  bl::ReportFiles reports;
  reports.set_enabled(false);
  const auto arrays = std::make_unique<bl::PassArrays>();
  return bl::march_surface(surface, bl::Surface::upper, params, state, reports, *arrays, law);
}

// n wake nodes behind the trailing edge, steps from `first` growing by 1.12;
// edge velocity ue(distance behind the trailing edge).
template <class Ue>
void add_wake(bl::SurfaceValues& surface, int n, double first, Ue ue) {
  const double s_te = surface.s.back();
  double s = s_te, ds = first;
  for (int k = 0; k < n; ++k, ds *= 1.12) {
    s += ds;
    surface.s.push_back(s);
    surface.ue.push_back(ue(s - s_te));
  }
}

double at(const bl::SurfaceResult& r, Column c, int node) { return r[c][static_cast<std::size_t>(node - 1)]; }

TEST(WakeMarch, MomentumThicknessHeldBehindAFlatPlate) {
  struct Case { const char* regime; double re_mill, xtr, h_end; };  // h_end: H a chord behind, at most
  for (const Case& c : {Case{"turbulent", 10.0, 0.02, 1.15}, Case{"laminar", 1.0, 10.0, 1.45}}) {
    const int n = 200;  // crowded at the nose, where ue rises to 1; a chord of wake behind s = 1
    bl::SurfaceValues plate = surface_table(n, [](int i) { return std::pow((i - 1.0) / (n - 1), 2); },
                                            [](double s) { return 1.0 - std::exp(-s / 0.005); });
    add_wake(plate, 60, 1e-4, [](double) { return 1.0; });
    bl::ComputationParameters params;
    params.re_mill = c.re_mill;
    params.xtr_surf[0] = c.xtr;
    const bl::SurfaceResult r = march(plate, params);
    ASSERT_TRUE(r.status.ok) << c.regime << ": " << r.status.message;
    EXPECT_EQ(r.iteration_limited, 0) << c.regime;

    const double theta_te = at(r, Column::d2, n), h_te = at(r, Column::h12, n);
    double drift = 0.0;
    for (int i = n + 1; i <= plate.nodes(); ++i) {
      drift = std::fmax(drift, std::fabs(at(r, Column::d2, i) / theta_te - 1.0));
      EXPECT_EQ(at(r, Column::cf, i), 0.0) << c.regime << " node " << i;
      EXPECT_LT(at(r, Column::h12, i), at(r, Column::h12, i - 1)) << c.regime << " node " << i;
    }
    const double h_end = at(r, Column::h12, plate.nodes());
    std::printf("%s wake: theta within %.2f %% of its trailing-edge value over a chord; H %.3f -> %.3f\n", c.regime,
                100.0 * drift, h_te, h_end);
    EXPECT_LT(drift, 2e-3) << c.regime;  // truncation of the first steps behind the edge
    EXPECT_LT(h_end, c.h_end) << c.regime;
  }
}

// A surface of the default section (e/R1 0.131, h/R1 0, N 256) at alpha.
bl::SurfaceValues default_section(double alpha, bl::Surface which) {
  aerofoil::Joukowski af;
  aerofoil::resizePoints(af, 256);
  aerofoil::solveSection(af, alpha, 0.131, 0.0);
  bl::Session session;
  session.reports().set_enabled(false);
  EXPECT_TRUE(session.hand_over_contour(af.s, af.v, af.currentN, af.x, af.y).ok);
  return session.split_surface(which);
}

// The thin-aerofoil law, m constant over the cell of each node (faces
// half-way between nodes, the first at the stagnation point):
//   c(i, j) = (1/pi) [1/(s_i - face ahead of j) - 1/(s_i - face behind j)];
// scale 0: no coupling at all, the edge velocity prescribed.
bl::InteractionLaw thin_aerofoil_law(const std::vector<double>& s, double scale = 1.0) {
  const std::size_t n = s.size();
  const auto face = [&](std::size_t k) { return k == 0 ? s[0] : 0.5 * (s[k - 1] + s[k]); };  // ahead of node k
  const auto term = [&](std::size_t i, std::size_t k) {
    return k == n || s[i] == face(k) ? 0.0 : 1.0 / (s[i] - face(k));
  };
  bl::InteractionLaw law;
  law.m_before.assign(n, 0.0);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = 0; j <= i; ++j) law.coeff.push_back(scale * (term(i, j) - term(i, j + 1)) / M_PI);
  return law;
}

TEST(InteractionLaw, WithoutCouplingItIsTheMarchOnTheOuterFlow) {
  for (bl::Surface which : bl::kBothSurfaces) {
    const bl::SurfaceValues surface = default_section(4.0, which);
    const int n = surface.nodes();
    const bl::ComputationParameters params;
    const bl::InteractionLaw uncoupled = thin_aerofoil_law(surface.s, 0.0);
    const bl::SurfaceResult direct = march(surface, params), law = march(surface, params, &uncoupled);
    ASSERT_TRUE(direct.status.ok && law.status.ok) << law.status.message;
    EXPECT_EQ(law.transition_at, direct.transition_at);
    // The last node of a march on prescribed ue lets the edge velocity
    // follow the profile; every other one has the outer flow's.
    for (int i = 3; i < n; ++i) {
      EXPECT_NEAR(at(law, Column::ue, i), at(direct, Column::ue, i), 1e-6) << bl::name(which) << " node " << i;
      for (Column c : {Column::d1, Column::d2, Column::cf})
        EXPECT_NEAR(at(law, c, i) / at(direct, c, i), 1.0, 1e-5) << bl::name(which) << " node " << i;
    }
  }
}

TEST(InteractionLaw, CarriesTheMarchThroughSeparationAndTheWake) {
  bl::SurfaceValues surface = default_section(20.0, bl::Surface::upper);
  const int wall = surface.nodes();
  const double ue_te = surface.ue.back();
  add_wake(surface, 60, 2e-4, [ue_te](double d) { return 1.0 - (1.0 - ue_te) * std::exp(-d / 0.1); });
  const int n = surface.nodes();
  bl::ComputationParameters params;

  // A sweep of coupling: the law about the mass defect of the march with
  // the inverse mode behind the forecast separation.
  const bl::SurfaceResult before = march(surface, params);
  ASSERT_TRUE(before.status.ok) << before.status.message;
  ASSERT_GT(before.inverse_at, 0);
  bl::InteractionLaw law = thin_aerofoil_law(surface.s), uncoupled = thin_aerofoil_law(surface.s, 0.0);
  for (int i = 1; i <= n; ++i)
    law.m_before[static_cast<std::size_t>(i - 1)] = at(before, Column::ue, i) * at(before, Column::d1, i);

  const bl::SurfaceResult direct = march(surface, params, &uncoupled);  // no inverse mode either
  EXPECT_TRUE(!direct.status.ok || direct.iteration_limited > 0) << "the direct march passed separation";

  const bl::SurfaceResult r = march(surface, params, &law);
  ASSERT_TRUE(r.status.ok) << r.status.message;
  EXPECT_EQ(r.iteration_limited, 0);
  EXPECT_EQ(r.inverse_at, 0);
  int first = 0, last = 0;
  for (int i = 3; i <= wall; ++i)
    if (at(r, Column::cf, i) < 0) last = i, first = first == 0 ? i : first;
  std::printf("Upper surface at 20 degrees with the law: separated from s = %.3f to %.3f (trailing edge %.3f)\n",
              at(r, Column::s, first), at(r, Column::s, last), at(r, Column::s, wall));
  EXPECT_GT(last - first, 10);
  EXPECT_LT(last, wall);  // reattached before the trailing edge
  for (int i = wall + 1; i <= n; ++i) EXPECT_GT(at(r, Column::d2, i), 0.0) << "node " << i;
}

}  // namespace
