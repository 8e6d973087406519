// Working arrays of a pass set up by hand, for tests of the station models:
// a surface of n stations with the edge state of air at rest temperature
// (all ratios 1), a geometric normal grid, and the scalars of Re = 1e7.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "core/gas.h"
#include "solver_fixture.h"

class MarchArrays : public SolverTest {
 protected:
  static constexpr double kU8 = 69.45;  // free-stream speed, m/s
  static constexpr double kRe = 1e7;

  void SetUp() override {
    SolverTest::SetUp();
    st.allocate(kStations);
    lp.allocate();
    ca.allocate();
    sd.RE = kRe;
    sd.SQRE = std::sqrt(kRe);
    sd.U8 = kU8;
    sd.LREF = 1.0;
    sd.NXT = kStations;
    for (int i = 1; i <= kStations; ++i) {
      st.roe8(i) = st.emue8(i) = 1.0;
      st.te(i) = 300.0;
      // Edge viscosity of air at 300 K; density such that nu = U8 LREF / Re.
      st.emue(i) = sutherland(300.0);
      st.roe(i) = st.emue(i) * kRe / kU8;
    }
  }
  void TearDown() override {
    ca.release();
    lp.release();
    st.release();
    SolverTest::TearDown();
  }

  static double sutherland(double t) { return bl::sutherland(t); }

  // Stations at x with edge velocity ue(x); Re_x as the input preparation sets it.
  template <class Ue>
  void stations(double x0, double dx, Ue ue) {
    for (int i = 1; i <= kStations; ++i) {
      st.x(i) = x0 + dx * (i - 1);
      st.ue(i) = ue(st.x(i));
      st.rx(i) = st.ue(i) * st.x(i) / st.emue(i) * st.roe(i) * kU8;
    }
  }

  // Exponential profile u = ue (1 - exp(-eta)) on every level, rho = mu = 1:
  // delta* = 1 - exp(-eta_e) and theta -> 1/2 in eta, wall shear ue.
  void exponential_profile(int k, double ue) {
    for (int j = 1; j <= bl::kMaxGridPoints; ++j) {
      const double e = lp.eta(j), x = std::exp(-e);
      lp.u(k, j) = ue * (1.0 - x);
      lp.v(k, j) = ue * x;
      lp.f(k, j) = ue * (e - 1.0 + x);
      lp.ccro(k, j) = 1.0;
      lp.ccmu(k, j) = 1.0;
    }
  }

  static constexpr int kStations = 12;
};
