#include "joukowski.h"

#include <cmath>

#include "constants.h"

namespace aerofoil {

namespace {
// Constants taken as these exact doubles so that every digit is reproducible.
using constants::kPi;
using constants::kTwoPi;
constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kTol = 1e-10;
constexpr double kBelowHalfPi = 1.5707963266948965;       // pi/2 - 1e-10
using constants::kHalfPi;
constexpr double kBelowThreeHalfPi = 4.71238898028469;    // 3pi/2 - 1e-10
constexpr double kThreeHalfPi = 4.71238898038469;         // 3pi/2
constexpr double kAboveThreeHalfPi = 4.71238898048469;    // 3pi/2 + 1e-10
constexpr double kDegrees = 180.0;
}  // namespace

void resizePoints(Joukowski& af, int n) {
  af.currentN = n;
  const auto size = static_cast<std::size_t>(n) + 1;
  for (auto* arr : {&af.radius, &af.theta, &af.x, &af.y, &af.v, &af.cp, &af.s})
    arr->assign(size, 0.0);
}

void solveJoukowski(Joukowski& af, double a, double h, double e) {
  const int n = af.currentN;

  // 1. Polar angles of the circle points, uniform in i.
  const double dtheta = kTwoPi / n;
  for (int i = 0; i <= n; ++i) af.theta[i] = i * dtheta;

  // 2. The circle: centre moved by e from (0, h) away from z = a, radius such
  //    that it passes through z = a (sharp trailing edge).
  const double alphaR = kPi * af.alphaDeg / kDegrees;
  const double beta = std::atan(h / a);
  const double xc = -e * std::cos(beta);
  const double yc = h + e * std::sin(beta);
  const double r = e + a / std::cos(beta);
  const double c0 = xc * xc + yc * yc - r * r;  // < 0: origin inside the circle

  // 3.-6. Circle point on the ray at theta, its image on the aerofoil, and
  //       the surface speed there.
  double phi1 = 0.0;
  for (int i = 0; i <= n; ++i) {
    const double th = af.theta[i];
    // Ray Y = w X meets (X - xc)^2 + (Y - yc)^2 = R^2 where
    // A X^2 - B X + C0 = 0; the root on the ray's own side is taken, and the
    // two vertical rays are handled apart.
    const double w = std::tan(th);
    const double qa = 1.0 + w * w;
    const double qb = 2.0 * (xc + w * yc);
    const double disc = qb * qb - 4.0 * qa * c0;
    double X, Y;
    if ((0.0 <= th && th < kBelowHalfPi) || th > kAboveThreeHalfPi) {
      X = (qb + std::sqrt(disc)) / (2.0 * qa);
      Y = w * X;
    } else if (std::fabs(th - kHalfPi) < kTol) {
      X = 0.0;
      Y = yc + std::sqrt(r * r - xc * xc);
    } else if (std::fabs(th - kThreeHalfPi) < kTol) {
      X = 0.0;
      Y = yc - std::sqrt(r * r - xc * xc);
    } else {
      X = (qb - std::sqrt(disc)) / (2.0 * qa);
      Y = w * X;
    }

    // 4. Angle about the circle centre, unwrapped so that it increases from
    //    phi_1 to about 2 pi - beta at the trailing edge.
    double phi = std::atan2(Y - yc, X - xc);
    if (i == 1) phi1 = phi;
    if (i >= 2 && phi <= phi1) phi += kTwoPi;

    // 5. Joukowski map zeta = z + a^2/z.
    af.radius[i] = std::sqrt(X * X + Y * Y);
    const double ratio = a / af.radius[i];
    const double q = ratio * ratio;
    af.x[i] = af.radius[i] * std::cos(th) * (1.0 + q);
    af.y[i] = af.radius[i] * std::sin(th) * (1.0 - q);

    // 6. Circle speed with the Kutta circulation, 2[sin(phi - alpha) +
    //    sin(alpha + beta)], divided by |dzeta/dz| = sqrt(G).
    const double psi = (phi + beta) / 2.0;
    const double g = 1.0 - 2.0 * q * std::cos(2.0 * th) + q * q;
    af.v[i] = 4.0 * std::sin(psi) * std::cos((alphaR + beta) - psi) / std::sqrt(g);
    af.cp[i] = 1.0 - af.v[i] * af.v[i];
  }

  // 7. At the trailing edge both speed and map derivative vanish; the limit
  //    of their ratio replaces the 0/0.
  const double vte = std::cos(beta) * std::cos(alphaR + beta) / (1.0 + e);
  af.v[0] = vte;
  af.v[n] = -vte;
  af.cp[0] = 1.0 - vte * vte;
  af.cp[n] = af.cp[0];

  // 8. Closed-form characteristics, units of a.  The chord and the lift
  //    slope are those of the symmetric section with the same e; cos(beta)
  //    carries the camber.
  const double k = (1.0 + 2.0 * e) / (1.0 + e);
  af.chord = (4.0 * a / k) * (1.0 + e);
  af.clift = kTwoPi * k * std::sin(alphaR + beta) / std::cos(beta);
  const double k2 = k / ((1.0 + e) * (1.0 + e));
  const double cosb2 = std::cos(beta) * std::cos(beta);
  const double xf = -(af.chord / 4.0) * k2 * (cosb2 + e * (1.0 + e));
  const double yf = (af.chord / 4.0) * k2 * ((1.0 + e) * (1.0 + e) - cosb2) * std::tan(beta);
  af.cmFocus = kQuarterPi * std::sin(2.0 * beta) * k2 * (1.0 + 2.0 * e) / (1.0 + e);
  af.alphaZeroLift = -std::atan(h) * kDegrees / kPi;

  // 9. Normalise to the chord, x from the leftmost point, then the arc length.
  double xmin = 100.0, xmax = -100.0;
  for (int i = 0; i <= n; ++i) {
    if (af.x[i] < xmin) xmin = af.x[i];
    if (af.x[i] > xmax) xmax = af.x[i];
  }
  const double len = xmax - xmin;
  for (int i = 0; i <= n; ++i) {
    af.x[i] = (af.x[i] - xmin) / len;
    af.y[i] = af.y[i] / len;
  }
  af.xFocus = (xf - xmin) / len;
  af.yFocus = yf / len;
  af.s[0] = 0.0;
  for (int i = 1; i <= n; ++i) {
    const double dx = af.x[i] - af.x[i - 1];
    const double dy = af.y[i] - af.y[i - 1];
    af.s[i] = af.s[i - 1] + std::sqrt(dx * dx + dy * dy);
  }
}

double maxThickSym(double e) {
  return ((((((-0.0429 * e + 0.174) * e - 0.3582) * e + 0.538) * e - 0.6561) * e + 0.6498) * e -
          0.000001);
}

void solveSection(Joukowski& af, double alphaDeg, double eR1, double hR1) {
  af.alphaDeg = alphaDeg;
  af.mapConstant = 1.0;
  af.eR1 = eR1;
  af.maxThickSym = maxThickSym(eR1);
  af.hR1 = hR1;
  af.camber = 0.5 * hR1;  // camber height 2h over the chord 4a of the e = 0 arc
  solveJoukowski(af, af.mapConstant, af.hR1, af.eR1);
}

Extremes findExtremes(const Joukowski& af) {
  Extremes ex{af.x[0], af.x[0], af.y[0], af.y[0], af.cp[0], af.cp[0]};
  auto widen = [](double val, double& lo, double& hi) {
    if (!std::isfinite(val)) return;  // sharp leading edge: no finite value
    if (val < lo) lo = val;
    if (val > hi) hi = val;
  };
  for (int i = 0; i < af.currentN; ++i) {
    widen(af.x[i], ex.xmin, ex.xmax);
    widen(af.y[i], ex.ymin, ex.ymax);
    widen(af.cp[i], ex.cpmin, ex.cpmax);
  }
  return ex;
}

int clampPoints(int requested) {
  if (requested < kMinPoints) return kMinPoints;
  if (requested > kMaxPoints) return kMaxPoints;
  return requested;
}

std::string clampNote(int requested) {
  const int used = clampPoints(requested);
  if (used == requested) return {};
  const char* side = requested < used ? " is below " : " is above ";
  return "N = " + std::to_string(requested) + side + std::to_string(used) +
         ": N = " + std::to_string(used) + " is used";
}

// The two surfaces of a section of zero thickness lie on one arc: the
// contour folds back on itself at the leading edge, where the speed is
// unbounded, and its points there can coincide.  No boundary layer starts
// at such an edge, whatever the march then says of the contour.
std::string boundaryLayerFailure(const Joukowski& af, const std::string& message) {
  if (af.eR1 != 0.0 || message.find("e/R1 = 0") != std::string::npos) return message;
  return message +
         " (e/R1 = 0 is a section of zero thickness: its surfaces meet at a sharp leading edge, where the "
         "speed is unbounded and no boundary layer can start; give e/R1 a thickness above 0)";
}

}  // namespace aerofoil
