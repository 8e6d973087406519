// The two ways a radial velocity on the circle can fail to be smooth at the
// trailing edge, each with a closed-form conjugate.
//
// At the cusp |dzeta/dz| = 0, so a finite wall transpiration v_n gives
// v_r = v_n |dzeta/dz| = 0 there, and the flux through the circle from the
// edge grows as x^2 on either side (x the circle angle from the edge), with
// a different curvature on each side unless the line-source density of the
// two surfaces continues into the wake: v_r then has a CORNER at x = 0.
// A mass defect that grows as sqrt(s) from the edge (as u_e delta* does, the
// speed at a cusp varying as sqrt(s)) gives a v_n ~ s^{-1/2} and v_r a STEP
// at x = 0, whose conjugate is logarithmically infinite there: the
// transpiration model fails within a displacement thickness of the edge.
//
// Both are written as boundary values v_r - i v_theta = F(w), w = exp(-i x),
// of functions analytic outside the circle (w = eta off it, |eta| < 1) and
// vanishing at infinity: v_r = Re F and v_theta = -Im F on the circle.
#pragma once

#include <complex>

namespace aerofoil {

// Corner: F = w (1 - w) ln(1 - w).  Re F has slopes -pi/2 and +pi/2 on the
// two sides of x = 0; -Im F grows as -x ln|x|.
std::complex<double> edgeCorner(std::complex<double> w);
// A primitive in x of Re F on the circle; zero at x = 0.
double edgeCornerPrimitive(double x);

// Step: F = i ln(1 - w) has Re F = -(pi - x)/2 on 0 < x < 2 pi, a jump of
// -pi at x = 0, with the primitive -pi x/2 + x^2/4 (zero at both ends).
double edgeStepPrimitive(double x);
// The step spread over a circle angle of about rho - 1 (a Poisson mean,
// rho > 1): F = i ln(1 - w/rho), smooth on the circle, with the same
// outflow on the circle as a whole; it moves the step's flux only across
// the edge.
std::complex<double> edgeStepSpread(std::complex<double> w, double rho);

}  // namespace aerofoil
