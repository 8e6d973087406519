// Surface split at the forward stagnation point.
#pragma once

#include "core/status.h"
#include "report/report_files.h"
#include "session/exchange_data.h"

namespace bl {

// Turns the inviscid contour of element k (n_cont(k), v_cont, s_cont of the
// exchange data) into two boundary-layer surfaces that both start at the
// stagnation point: the upper one in slot(k, 0), running back along the
// contour to point 1, the lower one in slot(k, 1), running forward to point
// N+1.
//
// The stagnation point is placed by linear interpolation inside the first
// panel over which the speed changes sign strictly.  s_cont is re-based in
// place so that it has arc length 0; a second call on the same contour
// therefore finds the same surfaces.  A contour point closer to the
// stagnation point than a quarter of that panel is dropped, since the
// stagnation node takes its place.
//
// Writes n_bl, s_bl, ue_bl, ue_inv of the two slots, n_bl_max, s_cont and
// the report "sxr_ue.out".  Refuses (and changes nothing, neither data nor
// report) when k is not an element, the contour has fewer than 2 or more
// than 1200 points, a point's arc length or speed is not a finite number,
// the speed never changes sign, a surface would exceed
// 600 nodes, or the report cannot be written.
Status BLPanel(ExchangeData& blx, ReportFiles& reports, int k);

}  // namespace bl
