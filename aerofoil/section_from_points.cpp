#include "section_from_points.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "polygon_checks.h"
#include "spline_shape.h"

namespace aerofoil {

namespace {

using Point = std::complex<double>;

constexpr double kAxesTolerance = 1e-6;     // a file within this of chord axes is in them
constexpr double kNearAxesTolerance = 1e-3; // ... or whose foremost point lies within this of x = 0
constexpr double kNoseRegion = 0.05;        // x/c within which a surface may turn back
constexpr double kFallBackTolerance = 1e-6; // x/c a surface may fall back elsewhere
constexpr double kContinuationCos = 0.8660254037844386;  // cos 30 degrees
constexpr int kSplineCheckPoints = 8;       // per interval, for the crossing check

// Points with the file line each came from.
struct Contour {
  std::vector<Point> z;
  std::vector<int> line;
};

std::string lineList(const std::vector<int>& lines) {
  std::string text = lines.size() == 1 ? "line " : "lines ";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == 6) return text + ", ...";
    text += (i ? ", " : "") + std::to_string(lines[i]);
  }
  return text;
}

std::string number(const char* format, double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, v);
  return buf;
}

// b lies on the continuation of the surface that ends ...a_before -> a_end.
bool continues(Point before, Point end, Point b) {
  const Point d = end - before, g = b - end;
  const double along = d.real() * g.real() + d.imag() * g.imag();
  return along > kContinuationCos * std::abs(d) * std::abs(g);
}

// Step 3: a trailing edge written once becomes both ends.
void closeOnceWrittenEdge(Contour& c, std::vector<std::string>& notes) {
  const std::size_t n = c.z.size();
  if (continues(c.z[n - 2], c.z[n - 1], c.z[0])) {
    c.z.push_back(c.z[0]);
    c.line.push_back(c.line[0]);
  } else if (continues(c.z[1], c.z[0], c.z[n - 1])) {
    c.z.insert(c.z.begin(), c.z[n - 1]);
    c.line.insert(c.line.begin(), c.line[n - 1]);
  } else {
    return;
  }
  notes.push_back("The trailing edge is given once (line " + std::to_string(c.line[0]) +
                  "): both surfaces end there.");
}

// Step 4: moves, turns and scales the points into chord axes, unless they
// are in them already; returns the index of the nose, or -1 (and the chord)
// when the chord is below 1e-9 of the points' extent.
int toChordAxes(Contour& c, double extent, double& length, std::vector<std::string>& notes) {
  const int n = static_cast<int>(c.z.size());
  const Point edge = (c.z.front() + c.z.back()) / 2.0;
  int nearest = 0, leftmost = 0;
  for (int i = 1; i < n; ++i) {
    if (std::abs(c.z[i]) < std::abs(c.z[nearest])) nearest = i;
    if (c.z[i].real() < c.z[leftmost].real()) leftmost = i;
  }
  if (std::abs(edge - 1.0) <= kAxesTolerance) {
    if (std::abs(c.z[nearest]) <= kAxesTolerance) return nearest;
    if (std::fabs(c.z[leftmost].real()) <= kAxesTolerance) return leftmost;
    // The contour of a section whose chord axes run from its true leftmost
    // point (the program's own export of a Karman-Trefftz section) reaches
    // x = 0 only between its points: within a thousandth of the chord the
    // file's axes are kept, as they give the angle of attack its meaning.
    if (std::fabs(c.z[leftmost].real()) <= kNearAxesTolerance) {
      notes.push_back("The file's axes are kept: its trailing edge is at (1, 0) and its foremost point (line " +
                      std::to_string(c.line[leftmost]) + ") at x = " + number("%.3g", c.z[leftmost].real()) +
                      ".");
      return leftmost;
    }
  }
  int nose = 0;
  for (int i = 1; i < n; ++i)
    if (std::abs(c.z[i] - edge) > std::abs(c.z[nose] - edge)) nose = i;
  const Point chord = edge - c.z[nose], origin = c.z[nose];
  length = std::abs(chord);
  if (!(length > 1e-9 * extent)) return -1;
  for (Point& z : c.z) z = (z - origin) / chord;
  notes.push_back("Put in chord axes: the nose (line " + std::to_string(c.line[nose]) +
                  ", the point farthest from the trailing edge) moved to (0, 0) and the trailing edge (the "
                  "middle of the end points) to (1, 0); the chord of " + number("%.6g", length) + ", at " +
                  number("%.4g", std::arg(chord) * 180 / M_PI) +
                  " degrees to the file's x axis, became the unit chord along x.");
  return nose;
}

// Step 5: the gap closed by shearing each surface.
void closeGap(Contour& c, int nose, double gap, std::vector<std::string>& notes) {
  const int n = static_cast<int>(c.z.size());
  if (gap > 1e-9) {
    const Point upperEnd = c.z.front(), lowerEnd = c.z.back();
    for (int i = 0; i < nose; ++i) c.z[i] -= c.z[i].real() / upperEnd.real() * (upperEnd - 1.0);
    for (int i = nose + 1; i < n; ++i) c.z[i] -= c.z[i].real() / lowerEnd.real() * (lowerEnd - 1.0);
    notes.push_back("The trailing edge was open by " + number("%.3g", 100 * gap) + " % of the chord (lines " +
                    std::to_string(c.line.front()) + " and " + std::to_string(c.line.back()) +
                    "): each surface was sheared towards the middle of the gap in proportion to x/c, so that "
                    "both end at (1, 0).");
  }
  c.z.front() = c.z.back() = 1.0;
}

// Step 6, first half: the line where a surface doubles back, or 0.
int doublingBack(const Contour& c, int nose, std::string& surface) {
  const int n = static_cast<int>(c.z.size());
  for (int direction : {-1, 1}) {
    double reached = 0;
    for (int i = nose; i >= 0 && i < n; i += direction) {
      const double x = c.z[i].real();
      if (reached >= kNoseRegion && x < reached - kFallBackTolerance) {
        surface = direction < 0 ? "upper" : "lower";
        return c.line[i];
      }
      reached = std::max(reached, x);
    }
  }
  return 0;
}

// Where polygonCrossing found two edges a < b of the contour's polygon
// (the last point, which repeats the first, left out): the file lines and
// what is wrong there.
std::string crossingAt(const Contour& c, int a, int b) {
  const int n = static_cast<int>(c.z.size()) - 1;
  auto lines = [&](int first, int last) {
    const int p = c.line[first], q = c.line[last % n];
    return std::to_string(std::min(p, q)) + " to " + std::to_string(std::max(p, q));
  };
  if (a == b) return "lines " + lines(a, a + 1) + ": the contour crosses itself there";
  if (b == a + 1) return "lines " + lines(a, b + 1) + ": the contour doubles back on itself there";
  if (a == 0 && b == n - 1) return "lines " + lines(b, n + 1) + ": the contour doubles back on itself there";
  return "lines " + lines(a, a + 1) + " and " + lines(b, b + 1) + ": the contour crosses or touches itself there";
}

}  // namespace

bool sectionFromPoints(const CoordinatePoints& points, SectionOutline& outline, std::string& why) {
  std::vector<std::string> notes;

  // 1. Repeated points.
  Contour c;
  std::vector<int> dropped;
  for (std::size_t i = 0; i < points.z.size(); ++i) {
    if (!c.z.empty() && points.z[i] == c.z.back()) {
      dropped.push_back(points.line[i]);
      continue;
    }
    c.z.push_back(points.z[i]);
    c.line.push_back(points.line[i]);
  }
  if (!dropped.empty())
    notes.push_back(std::to_string(dropped.size()) + (dropped.size() == 1 ? " repeated point" : " repeated points") +
                    " dropped (" + lineList(dropped) + ").");
  const int count = static_cast<int>(c.z.size());
  if (count < kMinCoordinatePoints) {
    why = "only " + std::to_string(count) + (dropped.empty() ? "" : " different") + " points" +
          (count ? " (lines " + std::to_string(c.line.front()) + " to " + std::to_string(c.line.back()) + ")" : "") +
          "; a section needs at least " + std::to_string(kMinCoordinatePoints);
    return false;
  }
  if (count > kMaxCoordinatePoints) {
    why = "line " + std::to_string(c.line[kMaxCoordinatePoints]) + ": more than " +
          std::to_string(kMaxCoordinatePoints) + " points, the most this program takes";
    return false;
  }

  // 2. Orientation.
  if (twiceSignedArea(c.z) < 0) {
    std::reverse(c.z.begin(), c.z.end());
    std::reverse(c.line.begin(), c.line.end());
    notes.push_back("The points run clockwise (the lower surface first): they were read the other way round.");
  }

  // 3, 4, 5. Trailing edge, chord axes, gap.
  closeOnceWrittenEdge(c, notes);
  double extent = 1;
  for (const Point& z : c.z) extent = std::max(extent, std::abs(z));
  double chord = 0;
  const int nose = toChordAxes(c, extent, chord, notes);
  if (nose < 0) {
    const auto lines = std::minmax_element(c.line.begin(), c.line.end());
    why = "lines " + std::to_string(*lines.first) + " to " + std::to_string(*lines.second) +
          ": the points span a chord of " + number("%.3g", chord) + ", too small for a section";
    return false;
  }
  if (nose == 0 || nose == static_cast<int>(c.z.size()) - 1) {
    why = "line " + std::to_string(c.line[nose]) +
          ": an end point is the nose; the points must run from the trailing edge over one surface to the "
          "nose and back along the other";
    return false;
  }
  const double gap = std::abs(c.z.front() - c.z.back());
  if (gap > kMaxClosedGap) {
    why = "lines " + std::to_string(c.line.front()) + " and " + std::to_string(c.line.back()) +
          ": the trailing edge is open by " + number("%.3g", 100 * gap) + " % of the chord, more than the " +
          number("%g", 100 * kMaxClosedGap) + " % this program closes";
    return false;
  }
  closeGap(c, nose, gap, notes);

  // 6. A contour that doubles back or crosses itself.
  std::string surface;
  if (const int line = doublingBack(c, nose, surface)) {
    why = "line " + std::to_string(line) + ": the " + surface +
          " surface turns back towards the nose; the contour must not double back on itself";
    return false;
  }
  for (std::size_t i = 1; i < c.z.size(); ++i)
    if (c.z[i] == c.z[i - 1]) {  // a point beside the trailing edge sheared onto it
      why = "lines " + std::to_string(c.line[i - 1]) + " and " + std::to_string(c.line[i]) +
            ": two points fall together once the trailing edge is closed";
      return false;
    }
  std::vector<Point> polygon(c.z.begin(), c.z.end() - 1);
  int a = 0, b = 0;
  if (polygonCrossing(polygon, a, b)) {
    why = crossingAt(c, a, b);
    return false;
  }
  auto spline = std::make_shared<SplineShape>(c.z, nose);
  const std::vector<double>& knots = spline->knots();
  polygon.clear();
  for (std::size_t i = 0; i + 1 < knots.size(); ++i)
    for (int k = 0; k < kSplineCheckPoints; ++k)
      polygon.push_back(spline->point(knots[i] + (knots[i + 1] - knots[i]) * k / kSplineCheckPoints));
  if (polygonCrossing(polygon, a, b)) {
    why = crossingAt(c, a / kSplineCheckPoints, b / kSplineCheckPoints) +
          " (the smooth curve through the points: too few points there, or out of order)";
    return false;
  }
  outline.name = points.name;
  outline.shape = spline;
  outline.notes = notes;
  return true;
}

}  // namespace aerofoil
