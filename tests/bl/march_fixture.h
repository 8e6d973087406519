// Working arrays of a pass set up by hand, for tests of the station models:
// a surface of n stations with the edge state of air at rest temperature
// (all ratios 1), a geometric normal grid, and the scalars of Re = 1e7.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "setup/gas.h"
#include "solver_fixture.h"

class MarchArrays : public SolverTest {
 protected:
  static constexpr double kU8 = 69.45;  // free-stream speed, m/s
  static constexpr double kRe = 1e7;

  void SetUp() override {
    SolverTest::SetUp();
    wa.allocate(kStations);
    ca.allocate();
    sd.RE = kRe;
    sd.SQRE = std::sqrt(kRe);
    sd.U8 = kU8;
    sd.LREF = 1.0;
    sd.NXT = kStations;
    for (int i = 1; i <= kStations; ++i) {
      wa.roe8(i) = wa.emue8(i) = 1.0;
      wa.te(i) = 300.0;
      // Edge viscosity of air at 300 K; density such that nu = U8 LREF / Re.
      wa.emue(i) = sutherland(300.0);
      wa.roe(i) = wa.emue(i) * kRe / kU8;
    }
  }
  void TearDown() override {
    ca.release();
    wa.release();
    SolverTest::TearDown();
  }

  static double sutherland(double t) { return bl::sutherland(t); }

  // Stations at x with edge velocity ue(x); Re_x as the input preparation sets it.
  template <class Ue>
  void stations(double x0, double dx, Ue ue) {
    for (int i = 1; i <= kStations; ++i) {
      wa.x(i) = x0 + dx * (i - 1);
      wa.ue(i) = ue(wa.x(i));
      wa.rx(i) = wa.ue(i) * wa.x(i) / wa.emue(i) * wa.roe(i) * kU8;
    }
  }

  // Exponential profile u = ue (1 - exp(-eta)) on every level, rho = mu = 1:
  // delta* = 1 - exp(-eta_e) and theta -> 1/2 in eta, wall shear ue.
  void exponential_profile(int k, double ue) {
    for (int j = 1; j <= bl::kMaxGridPoints; ++j) {
      const double e = wa.eta(j), x = std::exp(-e);
      wa.u(k, j) = ue * (1.0 - x);
      wa.v(k, j) = ue * x;
      wa.f(k, j) = ue * (e - 1.0 + x);
      wa.ccro(k, j) = 1.0;
      wa.ccmu(k, j) = 1.0;
    }
  }

  static constexpr int kStations = 12;
};
