// The outline of a section as a smooth parametric curve, before any flow is
// solved about it: what a NACA designation or a coordinate file gives, and
// what the numerical conformal map takes.
//
// Chord axes: unit chord, the leading edge at the origin and the trailing
// edge at (1, 0), so that the angle of attack is measured from the chord
// line.  The parameter t runs from the trailing edge (t = 0) over the upper
// surface to the leading edge and back along the lower surface to the
// trailing edge (t = 1): anticlockwise, the section on the left.  Both ends
// are the same point, a corner (or a cusp) where the two surfaces meet.
#pragma once

#include <complex>
#include <memory>
#include <string>
#include <vector>

namespace aerofoil {

class SectionShape {
 public:
  virtual ~SectionShape() = default;
  // Point of the outline at t in [0, 1], chords.
  virtual std::complex<double> point(double t) const = 0;
  // dz/dt at t in [0, 1]: never zero, the parameterisation is regular (at
  // the ends, the one-sided derivative along each surface).
  virtual std::complex<double> tangent(double t) const = 0;
  // The parameter of the leading edge.
  virtual double leadingEdge() const = 0;
  // Point and tangent at once, what a numerical map asks most often; an
  // outline that shares work between the two gives them together.
  virtual void evaluate(double t, std::complex<double>& p, std::complex<double>& d) const {
    p = point(t);
    d = tangent(t);
  }
};

// A section as the user chose it: its outline, its name, and what was done
// to the input to make it one (each a sentence for the user).
struct SectionOutline {
  std::string name;                    // "NACA 4412", a coordinate file's name line
  std::shared_ptr<const SectionShape> shape;
  std::vector<std::string> notes;      // "2 repeated points dropped (lines 40, 41)", ...
};

}  // namespace aerofoil
