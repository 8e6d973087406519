// Report lines of the march: "CalcBl.out" and the diagnostic lines on
// standard output.  Every writer returns at once, without formatting
// anything, when report writing is switched off.
#pragma once

#include <string>

namespace bl {

struct Pass;

// Free-form line " " + text to "CalcBl.out".
void calc_note(Pass& p, const char* text);

// "Upper surface,  Element=" or "Lower surface,  Element=" with element k.
void calc_surface_line(Pass& p, int isurf, int k);

// Pass header of "CalcBl.out": Re, XTR, XINV; NP, ETAE, VGP; the normal
// grid table for j = 1..NP.
void write_pass_header(Pass& p);

// Standard output: header and row of the similarity wall shear at station 2.
void write_start_diagnostics(Pass& p);

// Standard output: wall shear of station s after its start profile (level K).
void write_start_station(Pass& p, int s, int K);

// Text of the row of station P (I5, 7E12.5, 5I5), without the newline.
std::string station_row(const Pass& p, int P);

// Row of converged station P to "CalcBl.out" and standard output, each
// preceded by its column header at P = 3 and every multiple of 40.
void write_station_row(Pass& p, int P);

// Standard output: station P accepted after the iteration limit.
void write_iteration_limit(Pass& p, int P);

// "CalcBl.out" and standard output: free-form line text, then P.
void write_station_note(Pass& p, const char* text, int P);

// "CalcBl.out" and standard output: the pass ended early at station P.
void write_pass_stop(Pass& p, int P, const std::string& why);

// "CalcBl.out" and standard output: the outer edge of the normal grid was
// held at its capacity from station P on.
void write_edge_limited(Pass& p, int P);

}  // namespace bl
