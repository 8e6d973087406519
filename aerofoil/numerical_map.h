// The conformal map of any section, found numerically (Theodorsen and
// Garrick, with the trailing-edge corner opened first).
//
// 1. The corner.  A trailing edge of interior angle tau is a corner of
//    exterior angle 2 pi - tau.  The map of Karman-Trefftz type
//        (z' - 1) / (z' + 1) = ((z - z_te) / (z - z_1))^(1/k),  k = 2 - tau/pi,
//    with z_1 inside the section half a nose radius behind the nose, opens it
//    into a smooth curve, a near-circle, in the z' plane (for a Joukowski
//    section it gives the generating circle itself).
// 2. The near-circle, z' = c + exp(psi(phi) + i phi) about its centroid c, is
//    the image of the circle |w| = R under
//        z' = c + w exp(S(w)),  S(w) = sum_{n>=1} a_n (R/w)^n.
//    On the circle w = R e^{i theta} that says psi(theta + eps(theta)) =
//    ln R + Re S and eps = Im S: the angle shift eps is minus the conjugate
//    function of psi.  Starting from eps = 0, psi is read off the
//    near-circle at phi = theta + eps(theta) on M equally spaced theta, its
//    conjugate taken by FFT, and so on until eps stops changing: a linear
//    convergence whose rate is about the largest slope |dpsi/dphi| of the
//    near-circle, small once the corner is opened.
// 3. The circle plane is Z = G w with G the far-field factor of the chain,
//    so that zeta(Z) = Z + d0 + c1/Z + ... in chords; d0 and c1 are read off
//    a larger circle by the trapezoidal rule, exact to round-off there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "constants.h"
#include "section_map.h"
#include "section_shape.h"

namespace aerofoil {

struct NumericalMapSettings {
  int fftLength = 1024;         // points on the circle, a power of two from 64 to 16384
  double tolerance = 1e-12;     // largest change of the angle shift between iterations, rad
  int maxIterations = 500;
  // A trailing-edge angle under this (rad) is taken as a cusp: from points,
  // the angle between the two surfaces' end tangents is known only to about
  // this, and a wedge of almost no angle has a stagnation point whose
  // influence reaches no contour point.
  double cuspAngle = constants::kPi / 180.0;
};

class NumericalMap final : public SectionMap {
 public:
  // The map of the outline; null, with the reason in why, where the outline
  // cannot be mapped (the near-circle is not star-shaped about its centre,
  // or the iteration does not converge).
  static std::shared_ptr<const NumericalMap> build(const SectionShape& shape, std::string& why,
                                                   const NumericalMapSettings& settings = {});

  Complex toChord(Complex z) const override;
  Complex derivative(Complex z) const override;
  Complex toCircle(Complex p) const override;
  // On a ring the series S is a trigonometric polynomial in the angle: its
  // coefficients, folded modulo m, go through one FFT of length m (a power
  // of two), and only the exponential and the corner's closing are left
  // to each point.
  void mapRings(const std::vector<double>& rho, int m, std::vector<Complex>& chord,
                std::vector<Complex>* derivative) const override;
  double trailingEdgeAngle() const override { return tau_; }
  double trailingEdgeSpeed(double alpha) const override;
  double trailingEdgeDirection() const override { return teDirection_; }
  double edgeAngle(double spread) const override;

  int iterations() const { return iterations_; }     // Theodorsen-Garrick iterations run
  double lastChange() const { return lastChange_; }  // largest change of eps in the last one
  int fftLength() const { return m_; }
  // a_n, n = 1..: the map's coefficients (a_0 = 0 unused).
  const std::vector<Complex>& coefficients() const { return a_; }
  double nearCircleRadius() const { return R_; }

 private:
  NumericalMap() = default;
  // z' of the circle point w (|w| >= R), and dz'/dw.
  Complex nearCircle(Complex w, Complex* dzdw = nullptr) const;
  // Section point (chords) of the near-circle point z', and dz/dz'.
  Complex closeCorner(Complex zp, Complex* dzdzp = nullptr) const;
  // The near-circle point of a section point; false at the trailing edge.
  Complex openCorner(Complex z) const;
  // The circle point w of a near-circle point z' on or outside it.
  Complex circleOf(Complex zp) const;

  // The corner opening.
  Complex zte_, z1_;       // trailing edge; the point inside near the nose
  double k_ = 2.0;         // 2 - tau/pi
  double wDirection_ = 0;  // direction of the near-circle's outside at z' = 1, seen in (z' - 1)/(z' + 1)
  double tau_ = 0;         // trailing-edge angle taken, rad (0: a cusp)
  double teDirection_ = 0;
  // The near-circle map.
  Complex c_;              // centre of the near-circle
  double R_ = 1.0;         // circle radius in w
  std::vector<Complex> a_; // a_n, n = 0..H (a_0 = 0)
  Complex G_;              // Z = G w
  double cuspCurvature_ = 0;  // |d^2 zeta/dZ^2| at the edge of a cusp
  int m_ = 0, iterations_ = 0;
  double lastChange_ = 0;
};

}  // namespace aerofoil
