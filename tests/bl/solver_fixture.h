// The blocks a boundary-layer session owns, held by a test so that it can
// set them up by hand and call the solver's routines one by one, and a pass
// over them whose arrays the test acquires (or Inputi does), with a
// geometric normal grid laid out by hand.
#pragma once

#include <cmath>
#include <memory>

#include "march/pass.h"
#include "march/surface_march.h"
#include "report_folder_fixture.h"

class SolverTest : public ReportFolderTest {
 protected:
  std::unique_ptr<bl::ExchangeData> blx_ = std::make_unique<bl::ExchangeData>();
  std::unique_ptr<bl::SolverState> state_ = std::make_unique<bl::SolverState>();
  bl::ExchangeData& blx = *blx_;
  bl::SolverScalars& sd = state_->sd;
  bl::MarchState& ms = state_->ms;
  std::unique_ptr<bl::PassArrays> arrays_ = std::make_unique<bl::PassArrays>();
  bl::StartingProfile& sp = arrays_->sp;
  std::unique_ptr<bl::Pass> pass_ = std::make_unique<bl::Pass>(blx, blx.params, *state_, reports, *arrays_);
  bl::Pass& pass = *pass_;
  bl::WorkArrays& wa = pass.wa;
  bl::CoreArrays& ca = pass.ca;
  bl::BoxState& bx = pass.bx;

  // Geometric normal grid of np points, first step h, ratio k, over all
  // the grid points of the working arrays (allocated by the test).
  void grid(int np, double h, double k) {
    sd.NP = np;
    wa.eta(1) = 0.0;
    for (int j = 1; j < bl::kMaxGridPoints; ++j) {
      wa.deta(j) = h * std::pow(k, j - 1);
      wa.eta(j + 1) = wa.eta(j) + wa.deta(j);
      wa.aa(j + 1) = 0.5 * wa.deta(j);
    }
  }

  // A whole pass of the march over surface isurf of element ielem.
  bl::Status march(int isurf, int ielem = 0) {
    const auto arrays = std::make_unique<bl::PassArrays>();  // a pass of its own, apart from the test's
    return bl::FOIL_BL2D(blx, blx.params, *state_, reports, *arrays, ielem, isurf);
  }
};
