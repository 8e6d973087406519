// The exact outer potential flow about a Joukowski section displaced by its
// boundary layer and wake.
//
// The displacement acts on the outer flow as a wall transpiration
// v_n = dm/ds (Lighthill), m = u_e delta* the mass defect, and as a line of
// sources along the wake.  In the circle plane the transpiration becomes a
// radial velocity whose flux through every arc equals the wall flux through
// the arc's image; its tangential velocity on the circle is the conjugate
// function, by FFT.  The wake sources keep the circle a streamline through
// their images (circle theorem).  The circulation follows from the Kutta
// condition on the whole flow: zero tangential velocity on the circle at the
// trailing-edge angle.
//
// Units: lengths in chords, velocities per free-stream speed U, mass
// defects and source fluxes in chords times U, the circulation per U times
// chord.  Surface arrays run over the contour points 0..N of the section.
#pragma once

#include <string>
#include <vector>

#include "circle_fourier.h"
#include "circle_plane.h"
#include "edge_terms.h"
#include "joukowski.h"
#include "wake_sources.h"

namespace aerofoil {

// One outer-flow solution, and the state needed to evaluate its field
// anywhere off the surface.
struct OuterSolution {
  std::vector<double> v;             // signed surface speed at contour point i, as af.v: positive where
                                     // the flow runs towards decreasing i (upper side)
  double gamma = 0.0;                // circulation / (U c), clockwise (lifting) positive
  double cl = 0.0;                   // lift coefficient 2 gamma
  std::vector<double> wakeU, wakeV;  // velocity components at wake point k, chord axes
  std::vector<double> wakeQ;         // speed at wake point k; point 0 takes the trailing-edge speed
  // The transpiration as the circle sees it, x the circle angle from the
  // trailing edge, w = exp(-i x), circle-plane units:
  //   v_r = sourceMean + sum n (B_n cos n x - A_n sin n x)
  //         + cornerStrength Re[edgeCorner(w)] + stepStrength Re[edgeStepSpread(w, rho)].
  double sourceMean = 0.0;           // a_0, the mean radial velocity (net outflow / 2 pi r)
  double cornerStrength = 0.0;       // of the corner of v_r at the trailing edge
  double stepStrength = 0.0;         // of its step, spread over the edge region
  std::vector<double> fluxA, fluxB;  // A_n, B_n, n = 0..M/2-1, the smooth rest of the flux
  std::vector<double> wakeFlux;      // the wake source fluxes as given
};

// Chord length from the trailing edge over which a step of the radial
// velocity at the cusp is spread (see edge_terms.h): about the displacement
// thickness of the layers leaving the edge.
constexpr double kDefaultEdgeSpread = 0.01;

// Contour points on each side of the trailing edge from which the step and
// corner of the radial velocity there are measured.
constexpr int kEdgeFitPoints = 4;

class OuterFlow {
 public:
  // Everything that depends on the section alone: circle angles of the
  // contour points, |dzeta/dz|, the interpolation onto the FFT grid and the
  // trigonometric tables.  fftLength: a power of two; 0 picks the smallest
  // one at least N.  edgeSpread: chords, > 0.  edgeStep: whether a step of
  // the radial velocity at the edge is fitted from the mass defect of the
  // last points and taken out in closed form (see edge_terms.h); without it
  // the whole flux goes to the FFT.
  explicit OuterFlow(const Joukowski& af, int fftLength = 0, double edgeSpread = kDefaultEdgeSpread,
                     bool edgeStep = true);

  // Sets the wake line: points 0..K in chords (as af.x, af.y), point 0 at
  // the trailing edge, panel k from point k to k+1, and precomputes the
  // influence of its sources on the surface and at its points.  Returns an
  // empty string, or what is wrong with the line (the wake is then left as
  // it was): fewer than two points, point 0 away from the trailing edge, a
  // point not finite or not outside the section, a panel of zero length.
  std::string setWake(const std::vector<double>& x, const std::vector<double>& y);

  // The displaced flow.  m: the signed mass defect at each contour point,
  // m_i = v_i delta*_i (positive on the upper side, as the speed), so that
  // m_i - m_{i+1} flows out through the wall between points i and i+1.
  // wakeFlux: Q_k, the source flux of wake panel k (the growth of the wake's
  // mass defect along it), one per panel of the line set last (none without
  // a wake).  With m = 0 and no wake, v is af.v (but for the exact limit at
  // points 0 and N) and gamma the Kutta circulation of the bare section.
  // The speeds at points 0 and N are the cubic through points 1, 2 and
  // N-1, N-2 taken to the edge, equal and opposite.  A wake whose first
  // panel is as short as the contour's last one continues the surface's
  // sources without a visible seam.  Allocates its work space; const, so
  // one OuterFlow serves several threads.
  void solve(const std::vector<double>& m, const std::vector<double>& wakeFlux, OuterSolution& out) const;

  // The bare flow with circulation gamma (per U c), for evaluating its
  // field; the surface and wake arrays are left empty.
  OuterSolution bareFlow(double gamma) const;

  // Velocity u + i v in chord axes at a physical point p (chords) off the
  // section, of the flow `state`: free stream, circulation, transpiration
  // and, if wakeSources, the wake's sources of the line set now (then not
  // on the wake line).
  Complex velocity(const OuterSolution& state, Complex p, bool wakeSources = true) const;

  const CirclePlane& plane() const { return cp_; }
  Complex te() const { return te_; }                 // trailing edge, chords
  int points() const { return n_; }                  // N
  int fftLength() const { return fft_.size(); }      // M
  int wakePanels() const { return wake_.panels(); }  // K
  const WakeLine& wake() const { return wake_; }
  double bareGamma() const;  // Kutta circulation of the bare section

 private:
  // eta [a_0 + sum c_n eta^n + corner + step]: with e^{i beta} in front, the
  // transpiration's conjugate velocity in the circle plane, eta = r e^{-i beta}/(z - centre).
  Complex transpirationConj(const OuterSolution& s, Complex eta, int terms) const;
  // The wake points' velocities of the solution in out (circulation gammaA, units of a).
  void fillWakeVelocities(double gammaA, OuterSolution& out) const;

  CirclePlane cp_;
  std::vector<double> vBare_;  // the bare section's speed: af.v, the exact limit at the edge
  int n_ = 0;
  RealFft fft_;
  Complex te_;                               // trailing edge, chords
  int harmonics_ = 0;                        // M/2 - 1: the Nyquist term is left out
  std::vector<double> x_;                    // circle angle from the trailing edge of point i, 0..2 pi
  std::vector<double> invMap_;               // 1 / |dzeta/dz| at point i (0 at the trailing edge)
  double rho_ = 0.0;                         // 1 + the circle angle of the edge spread
  bool edgeStep_ = true;                     // the step at the edge fitted and taken out
  bool wedge_ = false;                       // the trailing edge has an angle: a stagnation point
  std::vector<double> cornerPrimitive_;      // primitive of the edge corner's v_r at point i
  std::vector<double> cornerConj_;           // its v_theta at point i
  std::vector<double> stepPrimitive_;        // primitive of the edge step's v_r at point i
  std::vector<double> stepConj_;             // v_theta of the spread step at point i
  double stepConjEdge_ = 0.0;                // ... at the trailing edge
  double slopeFit_[2][kEdgeFitPoints] = {};  // weights of the edge fits, upper and lower
  double curvatureFit_[2][kEdgeFitPoints] = {};
  static constexpr int kGridStencil = 6;     // contour points that make one FFT sample
  std::vector<int> gridNode_;                // the points for grid angle j, row j
  std::vector<double> gridWeight_;           // their weights
  std::vector<double> cosTable_, sinTable_;  // cos n x_i, sin n x_i: row n = 1..harmonics, column i
  double edgeWeight_[4] = {0, 0, 0, 0};      // trailing-edge value from points 1, 2, N-1, N-2

  // The wake and what depends on it.
  WakeLine wake_;
  WakeQuadrature quad_;
  std::vector<double> wakeOnSurface_;  // speed at point i per unit flux of panel k, row k
  std::vector<double> wakeOnKutta_;    // clockwise circle speed at the trailing edge per unit flux
  std::vector<double> wakeOnWakeRe_;   // conjugate velocity at wake point j (1..K) per unit
  std::vector<double> wakeOnWakeIm_;   // flux of panel k: real and imaginary parts, row k
  std::vector<Complex> wakeFree_;      // conjugate velocity of the free stream at wake point j
  std::vector<Complex> wakeCirc_;      // ... per unit circulation (units of a)
  std::vector<Complex> wakeEta_;       // r e^{-i beta} / (z - centre) at wake point j
  std::vector<Complex> wakePre_;       // e^{i beta} eta / (dzeta/dz) at wake point j
  std::vector<Complex> wakeCorner_;    // edgeCorner(eta) at wake point j
  std::vector<Complex> wakeStep_;      // edgeStepSpread(eta, rho) at wake point j
  std::vector<int> wakeTerms_;         // harmonics needed there
};

}  // namespace aerofoil
