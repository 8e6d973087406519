// Diagnostic dumps of one station: its profile table ("NetFunc.out") and
// its linearised equations with the block system as solved ("Debug.out").
// Both only read; the driver opens and closes the files and decides when
// to dump.
#pragma once

namespace bl {

struct Pass;

// Appends the profile table of level K of station NX to "NetFunc.out":
// grid eta, deta, aa and f, u, v, b, ccro per point 1..NP, headed by the
// iteration count ms.kIter and the station's x, ue and edge Mach number.
void dump_net(Pass& p, int NX, int K);

// Appends to "Debug.out" the state of Newton iteration `it` of station NX:
// fluxes q, qp, box residuals rq and their Jacobians per point and
// equation; the blocks A, B, C, the right-hand side and the pivot
// determinant of the block system; the convergence measure; and the
// level-K profile table with T/Te - 1.
void dump_sys(Pass& p, int NX, int it, int K);

}  // namespace bl
