// Working arrays of a pass set up by hand, for tests of the station models:
// a surface of n stations with the edge state of air at rest temperature
// (all ratios 1), a geometric normal grid, and the scalars of Re = 1e7.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "core/block_solver.h"
#include "march/march_state.h"
#include "setup/solver_scalars.h"
#include "setup/work_arrays.h"

class MarchArrays : public ::testing::Test {
 protected:
  static constexpr double kU8 = 69.45;  // free-stream speed, m/s
  static constexpr double kRe = 1e7;

  void SetUp() override {
    bl::alloc_bl(kStations);
    bl::solver_alloc();
    bl::sd.RE = kRe;
    bl::sd.SQRE = std::sqrt(kRe);
    bl::sd.U8 = kU8;
    bl::sd.LREF = 1.0;
    bl::sd.NXT = kStations;
    for (int i = 1; i <= kStations; ++i) {
      bl::wa.roe8(i) = bl::wa.emue8(i) = 1.0;
      bl::wa.te(i) = 300.0;
      // Edge viscosity of air at 300 K; density such that nu = U8 LREF / Re.
      bl::wa.emue(i) = sutherland(300.0);
      bl::wa.roe(i) = bl::wa.emue(i) * kRe / kU8;
    }
  }
  void TearDown() override {
    bl::solver_free();
    bl::dealloc_bl();
  }

  static double sutherland(double t) { return 1.491e-7f * std::pow(t, 1.5) / (t + 110.4f); }

  // Stations at x with edge velocity ue(x); Re_x as the input preparation sets it.
  template <class Ue>
  void stations(double x0, double dx, Ue ue) {
    for (int i = 1; i <= kStations; ++i) {
      bl::wa.x(i) = x0 + dx * (i - 1);
      bl::wa.ue(i) = ue(bl::wa.x(i));
      bl::wa.rx(i) = bl::wa.ue(i) * bl::wa.x(i) / bl::wa.emue(i) * bl::wa.roe(i) * kU8;
    }
  }

  // Geometric grid of np points, first step h, ratio k, over all 821 points.
  static void grid(int np, double h, double k) {
    bl::sd.NP = np;
    bl::wa.eta(1) = 0.0;
    for (int j = 1; j < bl::kMaxGridPoints; ++j) {
      bl::wa.deta(j) = h * std::pow(k, j - 1);
      bl::wa.eta(j + 1) = bl::wa.eta(j) + bl::wa.deta(j);
      bl::wa.aa(j + 1) = 0.5 * bl::wa.deta(j);
    }
  }

  // Exponential profile u = ue (1 - exp(-eta)) on every level, rho = mu = 1:
  // delta* = 1 - exp(-eta_e) and theta -> 1/2 in eta, wall shear ue.
  static void exponential_profile(int k, double ue) {
    for (int j = 1; j <= bl::kMaxGridPoints; ++j) {
      const double e = bl::wa.eta(j), x = std::exp(-e);
      bl::wa.u(k, j) = ue * (1.0 - x);
      bl::wa.v(k, j) = ue * x;
      bl::wa.f(k, j) = ue * (e - 1.0 + x);
      bl::wa.ccro(k, j) = 1.0;
      bl::wa.ccmu(k, j) = 1.0;
    }
  }

  static constexpr int kStations = 12;
};
