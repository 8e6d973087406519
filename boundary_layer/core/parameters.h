// The boundary-layer computation parameters: one set of start values and
// ranges for the windows, the command line, the session and the march.
#pragma once

#include <optional>
#include <string>

#include "core/status.h"
#include "core/grid.h"

namespace bl {

// The closure of the turbulent layer: the algebraic eddy viscosity (inner
// mixing length, outer law, transitional intermittency), or the
// Spalart-Allmaras transport equation for the eddy viscosity.
enum class Turbulence { algebraic, spalart_allmaras };

// A model's name as the user gives it ("algebraic", "sa"), and back (none
// for a name that is no model's).
const char* turbulence_name(Turbulence t);
std::optional<Turbulence> turbulence_from_name(const std::string& name);
// Its title in words ("algebraic eddy viscosity", "Spalart-Allmaras").
const char* turbulence_title(Turbulence t);

struct ComputationParameters {
  double re_mill = 10.0;        // Reynolds number in millions; Re = 1e6 * re_mill
  double eta_e = 6.0;           // outer edge of the normal grid, similarity coordinate
  double kv = 1.1;              // ratio of successive normal grid steps
  int np_in = 41;               // number of normal grid points
  double cfs_sqrt_re = 0.15;    // Cf*sqrt(Re) prescribed at the wall in the inverse mode
  double xtr_surf[2] = {0.02, 0.03};  // transition arc length per surface (0 upper, 1 lower);
                                      // the march writes back the one it used
  double xinv_surf[2] = {0.0, 0.0};   // start of the inverse mode per surface; a new
                                      // computation sets it to the surface ends, the
                                      // march writes back the one it used
  // Forced transition per surface given as x/c on the section's own side of
  // that surface (0 < X <= 1), absent by default.  When given, every
  // computation of a section puts xtr_surf of the surface at the arc length
  // (from that computation's stagnation point) of the point at x/c = X.
  std::optional<double> xtr_xc[2];
  Turbulence turbulence = Turbulence::algebraic;  // closure of the turbulent layer
};

// The range of a transition position given as x/c: 0 < X <= 1.
constexpr double kTripXcMax = 1.0;
std::string trip_range_in_short();  // "0 < X <= 1"

// The normal grid needs two points at least and holds kMaxGridPoints.
constexpr int kMinGridPoints = 2;

// The largest step ratio Kv and outer edge ETAe of the normal grid, and
// the smallest first step of it (in the similarity coordinate) that the
// march can use.
constexpr double kMaxStepRatio = 10.0;
constexpr double kMaxOuterEdge = 1000.0;
constexpr double kMinFirstStep = 1e-15;

// The parameters a user edits, in the order the windows show them.
enum class Parameter { ReMill, EtaE, Kv, Np, Cfs, StrU, StrL };

// What a parameter accepts, in words ("a number greater than 0") and in
// short ("> 0", ">= 1", "2..821").
std::string accepted_range(Parameter p);
std::string range_in_short(Parameter p);

// The parameter set with one parameter replaced by v (a whole number for
// Np; beyond the integer range it is out of range anyway).
void assign(ComputationParameters& params, Parameter p, double v);

// ok, or a message naming the first parameter out of range as the windows
// label it, with its range ("Kv = 0.5 is out of range: it must be a finite
// number of at least 1."; an infinity "is too large"):
//   Re(mill) > 0, ETAe in (0, 1000], Kv in 1..10, Np in 2..821,
//   Cfs*sqrt(Re) > 0, Str u, Str l, Sinv u, Sinv l >= 0, every real
//   finite; a transition position given as x/c in 0 < X <= 1; and a first
//   normal grid step of at least kMinFirstStep (the message then
//   starts "the normal grid of ...").
Status validate_parameters(const ComputationParameters& p);

}  // namespace bl
