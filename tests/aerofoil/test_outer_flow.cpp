// The outer flow displaced by a boundary layer and wake: exact limits,
// closed forms, the circle theorem, the sign of the effect, and the speed
// next to the cusped trailing edge.
#include <gtest/gtest.h>

#include <cmath>

#include "outer_flow.h"
#include "solved_section.h"
#include "surface_loads.h"
#include "surface_position.h"
#include "trailing_streamline.h"

using aerofoil::Complex;
using aerofoil::OuterFlow;
using aerofoil::OuterSolution;

namespace {
constexpr double kTwoPi = 6.283185307179586;

OuterSolution solveWith(const OuterFlow& flow, const std::vector<double>& m,
                        const std::vector<double>& q = {}) {
  OuterSolution s;
  flow.solve(m, q.empty() ? std::vector<double>(static_cast<std::size_t>(flow.wakePanels()), 0.0) : q, s);
  return s;
}

// The trailing streamline of the bare flow as the wake line, set on the flow.
aerofoil::Streamline setTracedWake(OuterFlow& flow, double firstStep) {
  aerofoil::Streamline line;
  aerofoil::trailingStreamline(flow, flow.bareFlow(flow.bareGamma()), {2.0, firstStep, 1.1}, line);
  EXPECT_EQ(flow.setWake(line.x, line.y), "");
  return line;
}

// A mass defect growing from the stagnation point as d^1.5 on both sides
// (smooth in the arc length at the edge), and a wake defect that continues
// its line-source density: m_w = m_te + sigma_te l / (1 + 10 l).
void smoothDefect(const aerofoil::Joukowski& af, const aerofoil::Streamline& wake, std::vector<double>& m,
                  std::vector<double>& q) {
  const double st = aerofoil::stagnationArc(af), total = af.s.back();
  m.resize(af.s.size());
  for (std::size_t i = 0; i < m.size(); ++i)
    m[i] = (af.s[i] < st ? 0.01 : -0.01) * std::pow(std::fabs(af.s[i] - st), 1.5);
  const double sigma = 0.015 * (std::sqrt(st) + std::sqrt(total - st)), mte = m.front() - m.back();
  auto mw = [&](double l) { return mte + sigma * l / (1.0 + 10.0 * l); };
  q.clear();
  for (std::size_t k = 0; k + 1 < wake.s.size(); ++k) q.push_back(mw(wake.s[k + 1]) - mw(wake.s[k]));
}

// Speed increments over the last 2 % of chord, lower side (sign turned)
// from x = 0.98 to the edge, then the edge, then the upper side.
std::vector<std::pair<double, double>> edgeIncrements(const aerofoil::Joukowski& af, const OuterSolution& s,
                                                      const OuterSolution& bare) {
  std::vector<std::pair<double, double>> out;
  const int n = af.currentN;
  for (int i = n / 2; i <= n; ++i)
    if (af.x[i] > 0.98) out.emplace_back(af.x[i], -(s.v[i] - bare.v[i]));
  for (int i = 1; i < n / 2; ++i)
    if (af.x[i] > 0.98) out.emplace_back(af.x[i], s.v[i] - bare.v[i]);
  return out;
}
}  // namespace

TEST(OuterFlow, WithoutDisplacementItIsTheBareSection) {
  for (double h : {0.0, 0.1}) {
    const aerofoil::Joukowski af = solved(12.0, 0.131, h, 200);
    const OuterFlow flow(af);
    const aerofoil::CirclePlane& cp = flow.plane();
    const OuterSolution s = solveWith(flow, std::vector<double>(201, 0.0));
    for (int i = 1; i < 200; ++i) EXPECT_EQ(s.v[i], af.v[i]) << i;
    // At the cusp: the exact limit a cos(alpha + beta)/r (the stored value on
    // a symmetric section).
    EXPECT_NEAR(s.v[0], std::cos(cp.alpha + cp.beta) / cp.r, 1e-15);
    EXPECT_EQ(s.v[200], -s.v[0]);
    EXPECT_NEAR(s.cl, aerofoil::bareLoads(cp).cl, 1e-14);
    if (h == 0.0) {
      EXPECT_EQ(s.v[0], af.v[0]);
      EXPECT_NEAR(s.cl, af.clift, 1e-14);
    }
    // A uniform outflow through the whole circle induces no tangential
    // velocity: neither speed nor circulation change.
    std::vector<double> m(201);
    for (int i = 0; i <= 200; ++i) m[i] = 0.01 - 0.02 * cp.r / cp.len * (cp.phi[i] + cp.beta);
    const OuterSolution u = solveWith(flow, m);
    for (int i = 0; i <= 200; ++i) EXPECT_NEAR(u.v[i], s.v[i], 1e-12) << i;
    EXPECT_NEAR(u.gamma, s.gamma, 1e-13);
  }
}

TEST(OuterFlow, KnownTranspirationGivesItsClosedForm) {
  // Flux Phi = (1 - cos 2x)/2 through the circle from the edge: v_r = sin 2x,
  // v_theta = -cos 2x, so the clockwise speed gains cos 2x - 1 over
  // |dzeta/dz| and the Kutta condition takes 2 pi r from the circulation.
  const aerofoil::Joukowski af = solved(4.0, 0.1, 0.05, 256);
  const OuterFlow flow(af);
  const aerofoil::CirclePlane& cp = flow.plane();
  std::vector<double> m(257);
  for (int i = 0; i <= 256; ++i) m[i] = -cp.r / cp.len * 0.5 * (1.0 - std::cos(2.0 * (cp.phi[i] + cp.beta)));
  const OuterSolution s = solveWith(flow, m);
  for (int i = 1; i < 256; ++i) {
    const double x = cp.phi[i] + cp.beta;
    EXPECT_NEAR(s.v[i] - af.v[i], (std::cos(2.0 * x) - 1.0) / aerofoil::mapModulus(cp, cp.phi[i]), 1e-4) << i;
  }
  EXPECT_NEAR(s.gamma, flow.bareGamma() - kTwoPi * cp.r / cp.len, 1e-5);
  // Off the circle the transpiration adds i e^{i beta} eta^3 / (dzeta/dz),
  // eta = r e^{-i beta} / (z - centre), to the conjugate velocity.
  const OuterSolution bare = flow.bareFlow(s.gamma);
  for (Complex p : {Complex(1.05, -0.01), Complex(0.5, 0.3), Complex(-0.4, -0.2), Complex(2.0, 1.0)}) {
    const Complex z = aerofoil::toCircle(cp, p);
    const Complex eta = cp.r * std::polar(1.0, -cp.beta) / (z - cp.centre);
    const Complex expected =
        Complex(0.0, 1.0) * std::polar(1.0, cp.beta) * eta * eta * eta / aerofoil::mapDerivative(cp, z);
    const Complex induced = std::conj(flow.velocity(s, p) - flow.velocity(bare, p));
    EXPECT_LT(std::abs(induced - expected), 2e-5 * std::abs(expected)) << p;
  }
}

TEST(OuterFlow, WakeSourcesKeepTheCircleAStreamlineAndTheirPointsThePrincipalValue) {
  const aerofoil::Joukowski af = solved(6.0, 0.12, 0.08, 256);
  OuterFlow flow(af);
  const aerofoil::Streamline wake = setTracedWake(flow, 0.002);
  const int panels = flow.wakePanels();
  // With no sources the wake points see the field everywhere else sees.
  const OuterSolution still = solveWith(flow, std::vector<double>(257, 0.0));
  for (int j = 1; j <= panels; j += 7) {
    const Complex u = flow.velocity(still, Complex(wake.x[j], wake.y[j]));
    EXPECT_NEAR(still.wakeU[j], u.real(), 1e-12) << j;
    EXPECT_NEAR(still.wakeV[j], u.imag(), 1e-12) << j;
  }
  // A wake whose source density grows linearly: nothing crosses the circle.
  auto defect = [](double l) { return 0.01 * l * (1.0 + 2.5 * l); };
  std::vector<double> q(static_cast<std::size_t>(panels));
  for (int k = 0; k < panels; ++k) q[k] = defect(wake.s[k + 1]) - defect(wake.s[k]);
  const OuterSolution s = solveWith(flow, std::vector<double>(257, 0.0), q);
  const aerofoil::CirclePlane& cp = flow.plane();
  for (double phi = 0.1; phi < 6.2; phi += 0.37) {
    const Complex z = cp.centre + std::polar(cp.r * (1.0 + 1e-10), phi);
    const Complex w =
        std::conj(flow.velocity(s, aerofoil::toPhysical(cp, z))) * aerofoil::mapDerivative(cp, z);
    EXPECT_LT(std::fabs((w * std::polar(1.0, phi)).real()), 1e-8) << phi;  // radial part of u - i v
  }
  // The sheet cut four times finer gives the same flow at its points (the
  // principal value exact for a linear density, closed-form near panels,
  // quadrature) and on the surface.
  OuterFlow fine(af);
  std::vector<double> x, y, qf;
  for (int k = 0; k < panels; ++k)
    for (int p = 0; p < 4; ++p) {
      x.push_back(wake.x[k] + 0.25 * p * (wake.x[k + 1] - wake.x[k]));
      y.push_back(wake.y[k] + 0.25 * p * (wake.y[k + 1] - wake.y[k]));
      const double l = wake.s[k + 1] - wake.s[k];
      qf.push_back(defect(wake.s[k] + 0.25 * (p + 1) * l) - defect(wake.s[k] + 0.25 * p * l));
    }
  x.push_back(wake.x.back());
  y.push_back(wake.y.back());
  ASSERT_EQ(fine.setWake(x, y), "");
  const OuterSolution f = solveWith(fine, std::vector<double>(257, 0.0), qf);
  for (int j = 1; j < panels; ++j) EXPECT_NEAR(s.wakeQ[j], f.wakeQ[4 * j], 2e-4) << j;
  for (int i = 0; i <= 256; ++i) EXPECT_NEAR(s.v[i], f.v[i], 1e-4) << i;
}

TEST(OuterFlow, DisplacementDecambers) {
  // A symmetric section at zero incidence with the same layer on both sides
  // keeps zero lift and a symmetric flow.
  {
    const aerofoil::Joukowski af = solved(0.0, 0.131, 0.0, 256);
    OuterFlow flow(af);
    const aerofoil::Streamline wake = setTracedWake(flow, 0.002);
    std::vector<double> m, q;
    smoothDefect(af, wake, m, q);
    const OuterSolution s = solveWith(flow, m, q);
    EXPECT_NEAR(s.cl, 0.0, 1e-13);
    for (int i = 1; i < 128; ++i) EXPECT_NEAR(s.v[256 - i], -s.v[i], 1e-12) << i;
    for (double v : s.wakeV) EXPECT_NEAR(v, 0.0, 1e-12);
  }
  // A defect that grows towards the edge on the upper side only, carried
  // unchanged down the wake, lowers the lift of a lifting section.
  const aerofoil::Joukowski af = solved(4.0, 0.1, 0.05, 256);
  OuterFlow flow(af);
  setTracedWake(flow, 0.002);
  std::vector<double> m(257, 0.0);
  for (int i = 0; i < 128; ++i) m[i] = af.v[i] * 0.01 * af.x[i] * af.x[i];
  const double lift = solveWith(flow, m).cl, bareLift = 2.0 * flow.bareGamma();
  EXPECT_LT(lift, 0.99 * bareLift);
  EXPECT_GT(lift, 0.8 * bareLift);
}

TEST(OuterFlow, SpeedNextToTheCuspIsSmoothAndGridIndependent) {
  // Two kinds of defect: smooth in arc length with the wake continuing its
  // source density; and speed times a displacement thickness, which grows
  // as sqrt(s) from the cusp because the speed does (a step of v_r there).
  for (int kind = 0; kind < 2; ++kind) {
    std::vector<std::vector<std::pair<double, double>>> runs;
    for (int n : {256, 512}) {
      const aerofoil::Joukowski af = solved(4.0, 0.1, 0.05, n);
      OuterFlow flow(af);
      const aerofoil::Streamline wake = setTracedWake(flow, af.s[1] - af.s[0]);
      const OuterSolution bare = solveWith(flow, std::vector<double>(n + 1, 0.0));
      std::vector<double> m, q;
      smoothDefect(af, wake, m, q);
      if (kind == 1) {
        const double st = aerofoil::stagnationArc(af);
        for (int i = 0; i <= n; ++i) m[i] = bare.v[i] * 0.004 * std::pow(std::fabs(af.s[i] - st), 0.9);
        std::fill(q.begin(), q.end(), 0.0);
      }
      runs.push_back(edgeIncrements(af, solveWith(flow, m, q), bare));
    }
    // No point stands out of its neighbours' line (no spikes), and the
    // increment at x/c = 0.999 is the same on either grid (within 2 %).
    for (const auto& run : runs) {
      double lo = run[0].second, hi = lo;
      for (const auto& p : run) lo = std::min(lo, p.second), hi = std::max(hi, p.second);
      for (std::size_t k = 1; k + 1 < run.size(); ++k)
        EXPECT_LT(std::fabs(run[k].second - 0.5 * (run[k - 1].second + run[k + 1].second)), 0.1 * (hi - lo))
            << kind << " " << run[k].first;
    }
    auto at = [](const std::vector<std::pair<double, double>>& run, bool upper) {
      const std::size_t k0 = upper ? run.size() / 2 : 0;
      for (std::size_t k = k0 + 1; k < run.size(); ++k)
        if ((run[k - 1].first - 0.999) * (run[k].first - 0.999) <= 0)
          return run[k - 1].second + (0.999 - run[k - 1].first) * (run[k].second - run[k - 1].second) /
                                         (run[k].first - run[k - 1].first);
      return std::nan("");
    };
    for (bool upper : {false, true})
      EXPECT_NEAR(at(runs[0], upper), at(runs[1], upper), 0.02 * std::fabs(at(runs[1], upper))) << kind;
  }
}
