// A pass of the march held by a test, so that it can set up its arrays by
// hand and call the solver's routines one by one, with a geometric normal
// grid laid out by hand; and whole passes over surfaces built by the test.
#pragma once

#include <cmath>
#include <memory>

#include "march/pass.h"
#include "march/station_march.h"
#include "march/surface_march.h"
#include "report_folder_fixture.h"

class SolverTest : public ReportFolderTest {
 protected:
  bl::SurfaceValues surface;        // the surface of the test's own pass
  bl::ComputationParameters params;  // the parameters of every pass
  bl::SolverState state;            // what passes leave for the next
  std::unique_ptr<bl::PassArrays> arrays_ = std::make_unique<bl::PassArrays>();
  bl::StartingProfile& sp = arrays_->sp;
  std::unique_ptr<bl::Pass> pass_ =
      std::make_unique<bl::Pass>(surface, bl::Surface::upper, params, state, reports, *arrays_);
  bl::Pass& pass = *pass_;
  bl::StationArrays& st = pass.st;
  bl::LayerProfiles& lp = pass.lp;
  bl::CoreArrays& ca = pass.ca;
  bl::BoxState& bx = pass.bx;
  bl::SolverScalars& sd = pass.sd;
  bl::MarchState& ms = pass.ms;

  // Geometric normal grid of np points, first step h, ratio k, over all
  // the grid points of the profile arrays (allocated by the test).
  void grid(int np, double h, double k) {
    sd.NP = np;
    lp.eta(1) = 0.0;
    for (int j = 1; j < bl::kMaxGridPoints; ++j) {
      lp.deta(j) = h * std::pow(k, j - 1);
      lp.eta(j + 1) = lp.eta(j) + lp.deta(j);
      lp.aa(j + 1) = 0.5 * lp.deta(j);
    }
  }

  // The system of station P of the test's pass.
  bl::StationSystem system_at(int P) { return bl::station_system(pass, P); }

  // A whole pass of the march over a surface, with arrays of its own.
  bl::SurfaceResult march(const bl::SurfaceValues& s, bl::Surface which = bl::Surface::upper) {
    const auto arrays = std::make_unique<bl::PassArrays>();
    return bl::march_surface(s, which, params, state, reports, *arrays);
  }
};
