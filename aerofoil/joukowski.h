// Exact potential flow about a Joukowski aerofoil.
//
// A circle in the z-plane through the critical point z = a is carried into
// the aerofoil plane by  zeta = z + a^2/z.  The flow past the circle, with
// free stream at incidence alpha and the Kutta circulation that puts the rear
// stagnation point at z = a, gives the exact surface speed on the section.
// Lift, focus and moment follow in closed form from the mapping parameters.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace aerofoil {

class SectionMap;

// The kinds of section the program solves: the Joukowski section in closed
// form; the Karman-Trefftz section (Joukowski's with a trailing-edge angle),
// in closed form; a NACA four- or five-digit section and a section from a
// coordinate file, through the numerical conformal map of their outline.
enum class SectionKind { joukowski, karmanTrefftz, naca, coordinates };

// What the user chooses of a section, with the values the window and the
// command line start from.
struct SectionInputs {
  double alphaDeg = 12.0;  // angle of attack, degrees
  double eR1 = 0.131;      // thickness parameter e/R1 (Joukowski, Karman-Trefftz)
  double hR1 = 0.0;        // camber parameter h/R1 (Joukowski, Karman-Trefftz)
  int n = 256;             // contour intervals N
  SectionKind kind = SectionKind::joukowski;
  double teAngleDeg = 0.0;  // Karman-Trefftz trailing-edge angle, degrees
  std::string naca;         // NACA designation, "4412"
  std::string coordinates;  // path of a coordinate file
};

// The inputs of a Joukowski section.
inline SectionInputs joukowskiInputs(double alphaDeg, double eR1, double hR1, int n) {
  SectionInputs in;
  in.alphaDeg = alphaDeg;
  in.eR1 = eR1;
  in.hR1 = hR1;
  in.n = n;
  return in;
}

// Ranges of the section inputs (N: see kMinPoints, kMaxPoints).
constexpr double kAlphaMin = -65.0, kAlphaMax = 65.0;  // degrees
constexpr double kEMin = 0.0, kEMax = 1.0;
constexpr double kHMin = -0.8, kHMax = 0.8;

// Solution state of one section.  Point arrays run 0..N: index 0 is the
// trailing edge, the index runs over the upper surface to the leading edge
// near N/2 and back along the lower surface to the trailing edge at N.
struct Joukowski {
  // Inputs.
  double mapConstant = 1.0;  // a, the constant of the transformation
  double alphaDeg = SectionInputs{}.alphaDeg;  // angle of attack, degrees
  double eR1 = SectionInputs{}.eR1;            // thickness parameter e, units of a
  double hR1 = SectionInputs{}.hR1;            // camber parameter h, units of a
  int currentN = 0;          // number of contour intervals N (points 0..N)

  // Point arrays, N+1 entries each.
  std::vector<double> radius;  // distance of the circle point from the origin
  std::vector<double> theta;   // polar angle of the circle point, rad
  std::vector<double> x, y;    // contour, fractions of the chord after a solve
  std::vector<double> v;       // signed surface speed / free-stream speed
  std::vector<double> cp;      // pressure coefficient 1 - v^2
  std::vector<double> s;       // arc length along the normalised contour

  // Integral characteristics.
  double chord = 0;          // chord of the symmetric section, units of a
  double clift = 0;          // lift coefficient
  double cmFocus = 0;        // moment coefficient about the focus
  double xFocus = 0;         // focus abscissa, fraction of chord from the leftmost point
  double yFocus = 0;         // focus ordinate, fraction of chord
  double maxThickSym = 0;    // half thickness ratio of the symmetric section, fitted in e
  double camber = 0;         // relative camber
  double alphaZeroLift = 0;  // angle of zero lift, degrees

  // The section's name where it is not the closed-form Joukowski section of
  // eR1 and hR1 ("NACA 4412", a coordinate file's name line); empty for it.
  std::string name;
  // The section's conformal map, and the circle angle (about the map's
  // circle centre) of each contour point; none for the closed-form Joukowski
  // section, whose map the outer flow builds from the point arrays.
  std::shared_ptr<const SectionMap> map;
  std::vector<double> circleAngle;
};

// Sizes the seven point arrays to n+1 entries and sets currentN = n.
void resizePoints(Joukowski& af, int n);

// Fills the point arrays and the integral characteristics for the section
// with mapping constant a, camber h and thickness e at af.alphaDeg; the
// arrays must already hold af.currentN + 1 entries.  Normalises the contour
// to the chord.  Checks nothing: for e = 0 the leading-edge point of an even
// N has an unbounded speed.
void solveJoukowski(Joukowski& af, double a, double h, double e);

// Half thickness ratio of the symmetric section with thickness parameter e:
// a polynomial fit, good to about 1e-4 for 0 <= e <= 1.
double maxThickSym(double e);

// Everything the aerofoil window does on an input change, without drawing:
// thickness measure, camber, solve.
void solveSection(Joukowski& af, double alphaDeg, double eR1, double hR1);

// Extremes of a solution over points 0..N-1 (point N repeats point 0).
// Non-finite values (the sharp leading edge at e = 0) are left out.
struct Extremes {
  double xmin, xmax, ymin, ymax, cpmin, cpmax;
};
Extremes findExtremes(const Joukowski& af);

// Bounds of the contour-interval count N.  The lower bound keeps the
// polygon an aerofoil; the upper one is what the boundary-layer hand-over
// can hold (1200 contour points).
constexpr int kMinPoints = 8;
constexpr int kMaxPoints = 1199;
// N as the window uses it: below the lower bound becomes the lower bound,
// above the upper bound becomes the upper bound.
int clampPoints(int requested);
// What the window says when it clamps: "N = 5 is below 8: N = 8 is used",
// "N = 1500 is above 1199: N = 1199 is used"; empty when N is used as typed.
std::string clampNote(int requested);

// The message of a failed boundary layer of the section, followed by what
// the failure owes to the section itself where the message does not say
// it: e/R1 = 0 is a section of zero thickness, whose surfaces meet at a
// sharp leading edge.
std::string boundaryLayerFailure(const Joukowski& af, const std::string& message);

}  // namespace aerofoil
