// NACA 0012 at Re 6 million, tripped at x/c 0.05 on both surfaces, beside
// the wind tunnel: the figures the README's table gives, held so that a
// change of the closure, the coupling or the map shows.  The measurements
// (Ladson's tripped drag, McCroskey's lift line through many tunnels taken
// at Mach 0, the full Reynolds-averaged equations with the same closure)
// are written here as numbers: the tests do not read the validation folder.
#include <gtest/gtest.h>

#include <string>

#include "section_model.h"
#include "viscous_analysis.h"

namespace {

viscous::Result naca0012(double alpha, bl::Turbulence closure) {
  aerofoil::SectionInputs in;
  in.kind = aerofoil::SectionKind::naca;
  in.naca = "0012";
  in.n = 256;
  std::string why;
  const auto section = aerofoil::makeSection(in, why);
  EXPECT_TRUE(section) << why;
  aerofoil::Joukowski af;
  section->solve(alpha, af);
  bl::ComputationParameters p;
  p.re_mill = 6.0;
  p.xtr_xc[0] = p.xtr_xc[1] = 0.05;
  viscous::Settings settings;
  settings.turbulence = closure;
  const viscous::Result r = viscous::analyse(af, p, settings);
  EXPECT_TRUE(r.status.ok && r.converged) << r.status.message << ", " << r.sweeps << " sweeps";
  return r;
}

}  // namespace

// At 10 degrees, computed alone (the README's table gives the angles of a
// polar, each started from its neighbours' flow, which hold the transition
// a station or two elsewhere: Cl 1.1130 and 1.1252 there): Spalart-Allmaras
// gives Cl 1.1109 and Cd 0.01148, 4.5 % above the lift line (1.0628), 1.8 %
// above the full equations' 1.0909 and 4.4 % below Ladson's drag (0.01201
// at 10.12 degrees); the algebraic eddy viscosity the higher lift, 1.1259
// (its thinner layer in the rising pressure), which is why the coupling
// defaults to Spalart-Allmaras.
TEST(Naca0012Tunnel, LiftAndDragAtTenDegreesWithEitherClosure) {
  const viscous::Result sa = naca0012(10.0, bl::Turbulence::spalart_allmaras);
  EXPECT_NEAR(sa.cl, 1.1109, 5e-4);
  EXPECT_NEAR(sa.cd, 0.01148, 1e-4);
  EXPECT_NEAR(sa.cl / 1.0628 - 1.0, 0.045, 0.005);
  EXPECT_NEAR(sa.cl / 1.0909 - 1.0, 0.018, 0.005);
  EXPECT_NEAR(sa.cd / 0.01201 - 1.0, -0.044, 0.01);

  const viscous::Result alg = naca0012(10.0, bl::Turbulence::algebraic);
  EXPECT_NEAR(alg.cl, 1.1259, 5e-4);
  EXPECT_NEAR(alg.cd, 0.01117, 1e-4);
  EXPECT_GT(alg.cl, sa.cl);
}
