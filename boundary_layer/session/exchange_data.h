// Exchange data shared by the aerofoil window, the boundary-layer dialog and
// the boundary-layer solver, through the session that owns them.  The
// window hands the contour over here, the surface split fills the surface
// tables, the march writes its per-station results back, and the dialog
// reads and edits the computation parameters.
//
// The data live as long as their session and start zero-filled.  Surface
// arrays are addressed by the surface slot m = slot(k, isurf), k the element
// (0..4), isurf 0 for the upper and 1 for the lower surface; only element 0
// is used, so only slots 0 and 5 are ever filled.  Node and point indices
// are 1-based; node 1 of each surface is the stagnation point.
#pragma once

#include "core/farray.h"
#include "session/parameters.h"

namespace bl {

struct ExchangeData {
  static constexpr int kMaxContour = 1200;  // contour points handed over (N <= 1199)
  static constexpr int kMaxNodes = 600;     // nodes per surface
  static constexpr int kElements = 5;       // elements k = 0..4
  static constexpr int kSlots = 10;         // surface slots m = k + 5*isurf

  // Surface slot of surface isurf (0 upper, 1 lower) of element k.
  static constexpr int slot(int k, int isurf) { return k + kElements * isurf; }

  using ContourArray = FArray1<double, 1, kMaxContour>;
  using SurfaceArray = FArray2<double, 1, kMaxNodes, 0, kSlots - 1>;

  // Contour hand-over (written by the aerofoil window, read by BLPanel)
  FArray1<int, 0, kElements - 1> n_cont;  // N, contour intervals of element k (N+1 points)
  ContourArray v_cont;   // signed surface speed at point i: + upper side before the
                         // stagnation point, - after it (fraction of free stream)
  ContourArray s_cont;   // arc length at point i; BLPanel re-bases it in place so that
                         // the stagnation point has arc length 0

  // Surfaces (written by BLPanel; ue_bl also by the march)
  FArray1<int, 0, kSlots - 1> n_bl;  // node count of each surface slot
  SurfaceArray s_bl;     // arc length of node j from the stagnation point, >= 0
  SurfaceArray ue_bl;    // edge velocity of node j, >= 0; the march overwrites
                         // nodes 3..n_bl with the edge velocity it computed
  SurfaceArray ue_inv;   // inviscid edge velocity of node j (only BLPanel writes it)
  int n_bl_max = 0;      // larger node count of the two surfaces of the last split

  // Per-station results (written by the march for nodes 3..n_bl; 1 and 2 stay 0)
  SurfaceArray cf_bl;    // skin-friction coefficient
  SurfaceArray d1_bl;    // displacement thickness
  SurfaceArray d2_bl;    // momentum thickness
  SurfaceArray h12_bl;   // shape factor
  SurfaceArray rv_bl;    // transpiration quantity d(rho_e ue delta*)/dx

  // Computation parameters: re_mill, eta_e, kv, np_in, cfs_sqrt_re, and the
  // transition and inverse-mode positions per surface that the march uses
  // and writes back.
  ComputationParameters params;
};

}  // namespace bl
