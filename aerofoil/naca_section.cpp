#include "naca_section.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "polygon_checks.h"
#include "quoted_text.h"

namespace aerofoil {

namespace {

// The five-digit mean lines for the design lift coefficient 0.3 (second
// digit P = 1..5, maximum camber at x = P/20): the break m and the factor
// k1 of
//     y_c = k1/6 (x^3 - 3 m x^2 + m^2 (3 - m) x)   for x < m,
//     y_c = k1 m^3 / 6 (1 - x)                      for x >= m
// (Abbott and von Doenhoff, ch. 6).  Another design lift coefficient scales
// the line, k1 with it.
struct FiveDigitLine {
  double m, k1;
};
constexpr FiveDigitLine kFiveDigit[5] = {
    {0.0580, 361.4}, {0.1260, 51.64}, {0.2025, 15.957}, {0.2900, 6.643}, {0.3910, 3.230}};

// The reflexed five-digit lines (third digit 1), P = 2..5: the published
// cubics
//     y_c = k1/6 ((x - m)^3 - r (1 - m)^3 x - m^3 x + m^3)     for x < m,
//     y_c = k1/6 (r (x - m)^3 - r (1 - m)^3 x - m^3 x + m^3)   for x >= m,
// with r = k2/k1 chosen so that the line carries no moment about the
// quarter chord; both pieces vanish at x = 0 and x = 1.
struct ReflexedLine {
  double m, k1, r;
};
constexpr ReflexedLine kReflexed[4] = {
    {0.1300, 51.99, 0.000764}, {0.2170, 15.793, 0.00677}, {0.3180, 6.520, 0.0303}, {0.4410, 3.191, 0.1355}};

constexpr double kDesignLiftStep = 0.15;  // design lift coefficient per unit of the first digit
constexpr double kTabulatedDesignLift = 0.3;
constexpr int kMaxThicknessPercent = 40;

NacaMeanLine fourDigitLine(double m, double p) {
  NacaMeanLine line;
  if (m == 0) return line;
  // y_c = m/p^2 (2 p x - x^2) fore of p, m/(1-p)^2 (1 - 2p + 2p x - x^2) aft.
  line.xBreak = p;
  line.fore[1] = 2 * m / p;
  line.fore[2] = -m / (p * p);
  const double q = (1 - p) * (1 - p);
  line.aft[0] = m * (1 - 2 * p) / q;
  line.aft[1] = 2 * m * p / q;
  line.aft[2] = -m / q;
  return line;
}

NacaMeanLine fiveDigitLine(const FiveDigitLine& t, double scale) {
  const double k1 = t.k1 * scale, m = t.m;
  NacaMeanLine line;
  line.xBreak = m;
  line.fore[1] = k1 / 6 * m * m * (3 - m);
  line.fore[2] = -k1 / 2 * m;
  line.fore[3] = k1 / 6;
  line.aft[0] = k1 / 6 * m * m * m;
  line.aft[1] = -k1 / 6 * m * m * m;
  return line;
}

NacaMeanLine reflexedLine(const ReflexedLine& t, double scale) {
  const double k1 = t.k1 * scale, m = t.m, r = t.r;
  const double linear = -r * (1 - m) * (1 - m) * (1 - m) - m * m * m;  // the x terms both pieces share
  NacaMeanLine line;
  line.xBreak = m;
  line.fore[1] = k1 / 6 * (3 * m * m + linear);
  line.fore[2] = -k1 / 2 * m;
  line.fore[3] = k1 / 6;
  line.aft[0] = k1 / 6 * m * m * m * (1 - r);
  line.aft[1] = k1 / 6 * (3 * r * m * m + linear);
  line.aft[2] = -k1 / 2 * r * m;
  line.aft[3] = k1 / 6 * r;
  return line;
}

// y_c and its first two derivatives at x.
struct MeanLineValue {
  double y, slope, curvature;
};
MeanLineValue evaluate(const NacaMeanLine& line, double x) {
  const double* c = x < line.xBreak ? line.fore : line.aft;
  return {c[0] + x * (c[1] + x * (c[2] + x * c[3])), c[1] + x * (2 * c[2] + 3 * c[3] * x),
          2 * c[2] + 6 * c[3] * x};
}

// The point and its derivative with respect to s (x = s^2) of the outline.
void outline(const NacaMeanLine& line, double t, double a4, double s, std::complex<double>* point,
             std::complex<double>* dds) {
  const double x = s * s, sign = s < 0 ? -1.0 : 1.0;
  // Half thickness signed by the surface, Y = sign(s) y_t(s^2), and dY/ds.
  const double tail = 0.1260 * x + 0.3516 * x * x - 0.2843 * x * x * x + a4 * x * x * x * x;
  const double Y = 5 * t * (0.2969 * s - sign * tail);
  const double dY = 5 * t * (0.2969 - 2 * std::fabs(s) * (0.1260 + 2 * 0.3516 * x - 3 * 0.2843 * x * x +
                                                         4 * a4 * x * x * x));
  const MeanLineValue c = evaluate(line, x);
  const double secant = std::sqrt(1 + c.slope * c.slope);
  const double sinT = c.slope / secant, cosT = 1 / secant;
  if (point) *point = {x - Y * sinT, c.y + Y * cosT};
  if (dds) {
    const double dTheta = c.curvature / (1 + c.slope * c.slope) * 2 * s;  // d theta / ds
    *dds = {2 * s - dY * sinT - Y * cosT * dTheta, c.slope * 2 * s + dY * cosT - Y * sinT * dTheta};
  }
}

}  // namespace

bool parseNacaDesignation(const std::string& text, NacaDesignation& out, std::string& why) {
  std::string compact;
  for (char c : text)
    if (!std::isspace(static_cast<unsigned char>(c))) compact += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (compact.rfind("NACA", 0) == 0) compact.erase(0, 4);
  bool digits = compact.size() == 4 || compact.size() == 5;
  for (char c : compact) digits = digits && std::isdigit(static_cast<unsigned char>(c));
  if (!digits) {
    why = quotedText(text) + " is not a NACA designation: give four digits (such as 2412) or five (such as 23012), "
                         "with or without NACA before them.";
    return false;
  }
  auto digit = [&](int i) { return compact[i] - '0'; };
  const std::string name = "NACA " + compact;
  const int thickness = 10 * digit(compact.size() - 2) + digit(compact.size() - 1);
  if (thickness < 1 || thickness > kMaxThicknessPercent) {
    why = name + ": the last two digits give the thickness in per cent of the chord, from 01 to " +
          std::to_string(kMaxThicknessPercent) + ".";
    return false;
  }
  NacaDesignation d;
  d.name = name;
  d.thickness = thickness / 100.0;
  if (compact.size() == 4) {
    if ((digit(0) == 0) != (digit(1) == 0)) {
      why = name + ": the first digit (the camber in per cent of the chord) and the second (its position "
                   "in tenths) are both zero for a symmetric section, such as 0012, or both not zero.";
      return false;
    }
    d.family = "four-digit";
    d.meanLine = fourDigitLine(digit(0) / 100.0, digit(1) / 10.0);
  } else {
    const double scale = digit(0) * kDesignLiftStep / kTabulatedDesignLift;
    const int p = digit(1), q = digit(2);
    if (digit(0) == 0 || p < 1 || p > 5 || q > 1 || (q == 1 && p < 2)) {
      why = name + ": a five-digit section has a first digit from 1 to 9 (the design lift coefficient in "
                   "steps of 0.15), a second from 1 to 5 (the camber's position), and a third of 0, or 1 "
                   "for the reflexed mean lines with a second digit from 2 to 5.";
      return false;
    }
    d.family = q == 0 ? "five-digit" : "five-digit reflexed";
    d.meanLine = q == 0 ? fiveDigitLine(kFiveDigit[p - 1], scale) : reflexedLine(kReflexed[p - 2], scale);
  }
  out = d;
  return true;
}

NacaShape::NacaShape(const NacaDesignation& section, double a4)
    : line_(section.meanLine), thickness_(section.thickness), a4_(a4) {}

std::complex<double> NacaShape::point(double t) const {
  std::complex<double> z;
  outline(line_, thickness_, a4_, 1 - 2 * t, &z, nullptr);
  return z;
}

std::complex<double> NacaShape::tangent(double t) const {
  std::complex<double> dzds;
  outline(line_, thickness_, a4_, 1 - 2 * t, nullptr, &dzds);
  return -2.0 * dzds;  // ds/dt = -2
}

void NacaShape::evaluate(double t, std::complex<double>& p, std::complex<double>& d) const {
  std::complex<double> dzds;
  outline(line_, thickness_, a4_, 1 - 2 * t, &p, &dzds);
  d = -2.0 * dzds;
}

bool nacaSection(const std::string& designation, SectionOutline& outline, std::string& why) {
  NacaDesignation d;
  if (!parseNacaDesignation(designation, d, why)) return false;
  auto shape = std::make_shared<NacaShape>(d);
  // A strongly cambered thick section can fold its lower surface over
  // itself where the mean line curves most; such an outline is no section.
  // Its polygon through 2000 points of the curve shows it.
  constexpr int kCheckPoints = 2000;
  std::vector<std::complex<double>> polygon(kCheckPoints);
  for (int i = 0; i < kCheckPoints; ++i) polygon[i] = shape->point(static_cast<double>(i) / kCheckPoints);
  int a = 0, b = 0;
  if (polygonCrossing(polygon, a, b)) {
    char near[32];
    std::snprintf(near, sizeof near, "%.2f", polygon[b].real());
    why = d.name + ": the surfaces of this section cross each other (near x/c " + near + "), so it has no outline.";
    return false;
  }
  outline.name = d.name;
  outline.shape = shape;
  const std::string source = d.family == "five-digit reflexed"
                                 ? "Abbott and von Doenhoff's thickness, ch. 6, on the reflexed mean line"
                                 : "Abbott and von Doenhoff, ch. 6";
  outline.notes = {d.name + ": the NACA " + d.family + " section (" + source +
                   "), its trailing edge closed: the last thickness coefficient is -0.1036 in place of the "
                   "printed -0.1015."};
  return true;
}

}  // namespace aerofoil
