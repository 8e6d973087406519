// Input preparation of one surface pass: free stream, station arrays, wall
// conditions and run parameters, with the input report "InputBl.out".
#pragma once

namespace bl {

struct Pass;

// Prepares the pass over surface isurf (0 upper, 1 lower) of element
// `element`.  Reads the exchange data (the surface slot, the computation
// parameters); allocates the pass's working arrays (n_bl_max stations);
// overwrites every scalar of sd; fills x, ue, eme, the edge state,
// rx and the wall arrays uww, vww, tww, cf_bc, d1_bc, rv_bc for stations
// 1..NXT.  Appends the input report to "InputBl.out" and its closing lines
// to standard output.
//
// The surface and the parameters must have passed the march's checks (an
// existing surface, validate_parameters); nothing here can then fail.
// Whether the report reached its file is for reports.status(Report::InputBl)
// to say.
void Inputi(Pass& p, int element, int isurf);

// Edge state of station i from ue(i) and the free stream: te, roe, emue and
// the ratios roe8, emue8, enue8, te8.  The edge temperature is the
// stagnation temperature (edge Mach number 0), so every ratio is 1.
void edge_state(Pass& p, int i);

}  // namespace bl
