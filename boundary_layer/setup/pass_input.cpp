// Input preparation of a surface pass: free stream, station arrays, wall, InputBl.out.
#include "setup/pass_input.h"

#include <cmath>
#include <iostream>
#include <sstream>

#include "core/gas.h"
#include "report/fortran_format.h"

namespace bl {

namespace {

// (gamma-1)/2 formed in single precision from gamma = 1.4 for the
// stagnation state: 0.19999998807907104, not the 0.2f of the layer formulas.
constexpr double kGammaMinus1Half = (1.4f - 1.0f) / 2.0f;
constexpr float kSoundFactor = 20.05f;       // a = 20.05 sqrt(T), m/s with T in K
constexpr double kMachRef = 0.2f;            // reference Mach number of a low-speed stream

constexpr double kT8 = 300.0;   // free-stream temperature, K
constexpr double kLref = 1.0;   // reference length, m

// The input report numbers the section's one element 0 (ielem) and 1
// (ielement).
constexpr int kElement = 0;

// Edge table row: 1X, I3, 7E15.4.
void edge_row(const StationArrays& st, ReportText& out, int i) {
  out << fx::X(1) << fx::I(3, i);
  for (double q : {st.x(i), st.ue(i), st.eme(i), st.roe8(i), st.emue8(i), st.enue8(i), st.te8(i)})
    out << fx::E(15, 4, q);
  out << "\n";
}

// Wall table (header and one row per station: I5, 9F10.5).
std::string wall_table(const StationArrays& st, const SolverScalars& sd) {
  ReportText out;
  out << fx::X(4) << "i" << fx::X(4) << "X(I)" << fx::X(6) << "UE(I)" << fx::X(5) << "EME(I)" << fx::X(3)
      << "D1_BC(I)" << fx::X(2) << "CF_BC(I)" << fx::X(2) << "RV_BC(I)" << fx::X(4) << "Vw(I)" << fx::X(5)
      << "Uw(I)" << fx::X(5) << "Tw(I)" << "\n";
  for (int i = 1; i <= sd.NXT; ++i) {
    out << fx::I(5, i);
    for (double q : {st.x(i), st.ue(i), st.eme(i), st.d1_bc(i), st.cf_bc(i), st.rv_bc(i), st.vww(i), st.uww(i),
                     st.tww(i)})
      out << fx::F(10, 5, q);
    out << "\n";
  }
  return out.str();
}

// Reynolds number and run parameters, closing the report of a pass.
std::string closing_lines(const SolverScalars& sd) {
  ReportText out;
  out << fx::X(40) << "NUMBER RE=" << fx::E(12, 4, sd.RE) << "\n";
  out << fx::X(1) << "NXT  =" << fx::I(3, sd.NXT) << fx::X(14) << "NP2  =" << fx::I(3, sd.NP) << fx::X(5)
      << "XTR  =" << fx::E(14, 6, sd.XTR) << "\n";
  out << fx::X(1) << "ETAE =" << fx::E(14, 6, sd.ETAE) << fx::X(3) << "VLBL =" << fx::E(14, 6, sd.VLBL) << fx::X(3)
      << "VTBL= " << fx::E(14, 6, sd.VTBL) << fx::X(3) << "NU   =" << fx::E(14, 6, sd.NU8) << "\n";
  out << "\n";
  return out.str();
}

}  // namespace

void edge_state(const SolverScalars& sd, StationArrays& st, int i) {
  const double Te = sd.T0;  // edge Mach number 0: the edge is at stagnation temperature
  st.te(i) = Te;
  st.te8(i) = Te / sd.T8;
  st.roe(i) = sd.RO0 / std::pow(sd.T0 / Te, 2.5);
  st.emue(i) = sd.MU8 * std::pow(Te / sd.T8, 1.5) * (sd.T8 + kSutherlandS) / (Te + kSutherlandS);
  st.roe8(i) = st.roe(i) / sd.RO8;
  st.emue8(i) = st.emue(i) / sd.MU8;
  st.enue8(i) = st.emue8(i) / st.roe8(i);
}

void prepare_pass_input(const SurfaceValues& surface, Surface which, const ComputationParameters& params,
                        double cfsep_before, SolverScalars& sd, StationArrays& st, ReportFiles& reports) {
  const int i = index(which);

  // With report writing off nothing below is formatted.
  const bool write = reports.enabled();
  ReportText& out = reports.stream(Report::InputBl);
  if (write)
    out << (which == Surface::upper ? " Input data for calculation of BL on upper surface"
                                    : " Input data for calculation of BL on lower surface")
        << "\n"
        << "    ielem=" << fx::I(3, kElement) << "\n"
        << " ielement=" << fx::I(3, kElement + 1) << "\n";

  st.allocate(surface.nodes());

  sd.T8 = kT8;
  sd.RE = 1000000.0 * params.re_mill;
  sd.M8 = 0.0;
  sd.LREF = kLref;

  // The value the previous pass took (0 on the first pass of a run).
  if (write) out << "    CFSEP=" << fx::F(10, 3, cfsep_before) << "\n";

  sd.CFSEP = params.cfs_sqrt_re;
  sd.NP = params.np_in;
  sd.regime = 0;
  sd.XTR = params.xtr_surf[i];
  sd.VLBL = params.kv;
  sd.VTBL = params.kv;
  sd.ETAE = params.eta_e;
  sd.XINV = params.xinv_surf[i];

  // Free stream.  Isentropic stagnation temperature T0 = T8 (1 + (gamma-1)/2 M^2)
  // with the bracket in single precision; Sutherland viscosity; speed of
  // sound in single precision.  The stream speed is that of Mach 0.2 at
  // least, the reference speed of the low-speed solver.
  const float bracket = static_cast<float>(1.0 + kGammaMinus1Half * (sd.M8 * sd.M8));
  sd.T0 = sd.T8 * bracket;
  sd.MU8 = sutherland(sd.T8);
  const float a8 = kSoundFactor * std::sqrt(static_cast<float>(sd.T8));
  sd.A8 = a8;
  sd.U8 = (sd.M8 < kMachRef ? kMachRef : sd.M8) * sd.A8;
  sd.NU8 = sd.U8 / sd.RE * sd.LREF;
  sd.RO8 = sd.MU8 / sd.NU8;
  sd.RO0 = sd.RO8 * std::pow(bracket, 2.5f);  // isentropic rho0/rho8 = bracket^(1/(gamma-1))
  sd.SQRE = std::sqrt(sd.RE);

  if (write) {
    // Free stream line: 6X,"M8",10X,"T8",10X,"A8",10X,"U8",10X,"MU8",9X,"NU8",9X,"RO8" / 1X,7E12.4
    out << fx::X(6) << "M8" << fx::X(10) << "T8" << fx::X(10) << "A8" << fx::X(10) << "U8" << fx::X(10) << "MU8"
        << fx::X(9) << "NU8" << fx::X(9) << "RO8" << "\n";
    out << fx::X(1);
    for (double q : {sd.M8, sd.T8, sd.A8, sd.U8, sd.MU8, sd.NU8, sd.RO8}) out << fx::E(12, 4, q);
    out << "\n";

    // Stations of the surface and their edge state.
    out << fx::X(3) << "I" << fx::X(9) << "X" << fx::X(13) << "UE" << fx::X(13) << "ME" << fx::X(12) << "ROE8"
        << fx::X(11) << "EMUE8" << fx::X(10) << "ENUE8" << fx::X(11) << "TE8" << "\n";
  }
  sd.NXT = surface.nodes();
  for (int i = 1; i <= sd.NXT; ++i) {
    st.x(i) = surface.s[static_cast<std::size_t>(i - 1)];
    st.ue(i) = surface.ue[static_cast<std::size_t>(i - 1)];
    st.eme(i) = 0.0;
    edge_state(sd, st, i);
    st.rx(i) = st.ue(i) * st.x(i) / st.emue(i) * st.roe(i) * sd.U8 * sd.LREF;  // Re_x = rho_e u_e x / mu_e
    if (write) edge_row(st, out, i);
  }

  // Wall: impermeable, at rest, adiabatic; the prescribed skin friction of
  // the inverse mode as the start value of the wall-shear parameter.
  for (int i = 1; i <= sd.NXT; ++i) {
    st.uww(i) = st.vww(i) = st.d1_bc(i) = st.rv_bc(i) = 0.0;
    st.cf_bc(i) = params.cfs_sqrt_re;
    st.tww(i) = 0.0;
  }
  if (write) {
    const std::string wall = wall_table(st, sd);  // the report shows it twice
    out << wall << wall;
    const std::string closing = closing_lines(sd);
    out << closing;
    reports.diag_out() << closing;
  }
}

}  // namespace bl
