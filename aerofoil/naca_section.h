// NACA four- and five-digit sections from their designation (Abbott and von
// Doenhoff, "Theory of Wing Sections", 1959, ch. 6).
//
// The section is built from two lines in chord fractions: a mean line y_c(x)
// and a thickness distribution y_t(x),
//     y_t = 5 t (0.2969 sqrt(x) - 0.1260 x - 0.3516 x^2 + 0.2843 x^3 - a4 x^4),
// laid off perpendicular to the mean line: with theta = atan(dy_c/dx),
//     upper  x - y_t sin(theta),  y_c + y_t cos(theta)
//     lower  x + y_t sin(theta),  y_c - y_t cos(theta).
// The printed a4 = 0.1015 leaves the trailing edge open by 5 t 0.0021 (0.25 %
// of the chord at t = 0.12); the program uses a4 = 0.1036, with which the
// five coefficients sum to zero and the trailing edge is closed.  The chord
// is the mean line's: leading edge at the origin, trailing edge at (1, 0).
#pragma once

#include <string>

#include "section_shape.h"

namespace aerofoil {

constexpr double kNacaOpenEdgeA4 = 0.1015;    // last thickness coefficient as printed
constexpr double kNacaClosedEdgeA4 = 0.1036;  // the closed trailing edge the program uses

// A NACA mean line: a polynomial of degree at most three in x fore of
// xBreak and another aft of it.  Every four- and five-digit line is of this
// form (quadratic arcs meeting at the maximum camber; a cubic and a straight
// line; two cubics for the reflexed line).
struct NacaMeanLine {
  double xBreak = 0;           // where the two pieces meet, chords
  double fore[4] = {0, 0, 0, 0};  // y_c = c0 + c1 x + c2 x^2 + c3 x^3 for x < xBreak
  double aft[4] = {0, 0, 0, 0};   // the same for x >= xBreak
};

// What a designation says, in chord fractions.
struct NacaDesignation {
  std::string name;          // "NACA 23012"
  double thickness = 0;      // t, maximum thickness / chord
  NacaMeanLine meanLine;
  std::string family;        // "four-digit", "five-digit", "five-digit reflexed"
};

// Reads "2412", "NACA 23012", "naca 0012" (case and spaces tolerated).  On
// anything else returns false with one sentence in why that quotes what was
// typed and says what is accepted.
bool parseNacaDesignation(const std::string& text, NacaDesignation& out, std::string& why);

// The analytic outline, exact at every t.  The mean-line station is x = s^2
// with s = 1 - 2t: s runs from 1 (trailing edge) over the upper surface
// (s > 0) to the leading edge (s = 0, t = 1/2) and along the lower surface
// (s < 0) back to the trailing edge.  Then sqrt(x) = |s| and the half
// thickness signed by the surface, sign(s) y_t, has a finite non-zero
// derivative at the nose, and dx/dt = -4s is not zero at the trailing edge:
// the parameterisation is regular everywhere.
class NacaShape : public SectionShape {
 public:
  explicit NacaShape(const NacaDesignation& section, double a4 = kNacaClosedEdgeA4);
  std::complex<double> point(double t) const override;
  std::complex<double> tangent(double t) const override;
  void evaluate(double t, std::complex<double>& p, std::complex<double>& d) const override;
  double leadingEdge() const override { return 0.5; }

 private:
  NacaMeanLine line_;
  double thickness_;
  double a4_;
};

// The section of a designation with the closed trailing edge, its name and
// a note saying which formula gave it.  On failure returns false with the
// sentence of parseNacaDesignation, or the reason the outline is unusable
// (an extreme designation whose surfaces cross).
bool nacaSection(const std::string& designation, SectionOutline& outline, std::string& why);

}  // namespace aerofoil
