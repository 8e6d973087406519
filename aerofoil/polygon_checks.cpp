#include "polygon_checks.h"

#include <algorithm>
#include <numeric>

namespace aerofoil {

namespace {

using Point = std::complex<double>;

// Twice the signed area of the triangle a b c: positive when c lies left
// of the line from a to b.
double orientation(Point a, Point b, Point c) {
  return (b.real() - a.real()) * (c.imag() - a.imag()) - (b.imag() - a.imag()) * (c.real() - a.real());
}

// c, known to be on the line through a and b, lies within the segment.
bool withinSegment(Point a, Point b, Point c) {
  return std::min(a.real(), b.real()) <= c.real() && c.real() <= std::max(a.real(), b.real()) &&
         std::min(a.imag(), b.imag()) <= c.imag() && c.imag() <= std::max(a.imag(), b.imag());
}

bool opposite(double u, double v) { return (u > 0 && v < 0) || (u < 0 && v > 0); }

// Closed segments p1p2 and q1q2 share at least one point.
bool segmentsMeet(Point p1, Point p2, Point q1, Point q2) {
  const double d1 = orientation(q1, q2, p1), d2 = orientation(q1, q2, p2);
  const double d3 = orientation(p1, p2, q1), d4 = orientation(p1, p2, q2);
  if (opposite(d1, d2) && opposite(d3, d4)) return true;
  return (d1 == 0 && withinSegment(q1, q2, p1)) || (d2 == 0 && withinSegment(q1, q2, p2)) ||
         (d3 == 0 && withinSegment(p1, p2, q1)) || (d4 == 0 && withinSegment(p1, p2, q2));
}

}  // namespace

bool polygonCrossing(const std::vector<Point>& v, int& edgeA, int& edgeB) {
  const int n = static_cast<int>(v.size());
  if (n < 3) return false;
  auto head = [&](int i) { return v[i]; };
  auto tail = [&](int i) { return v[(i + 1) % n]; };

  // Neighbours: edge i ends where edge i+1 starts; they overlap beyond that
  // vertex only when the second runs straight back along the first.
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    const Point a = head(i), corner = tail(i), c = tail(j);
    const Point back = a - corner, on = c - corner;
    if (orientation(a, corner, c) == 0 && back.real() * on.real() + back.imag() * on.imag() > 0) {
      edgeA = std::min(i, j);
      edgeB = std::max(i, j);
      return true;
    }
  }

  // The others, swept in order of their leftmost x: an edge is compared only
  // with the edges whose x extent overlaps its own.
  std::vector<double> xmin(n), xmax(n);
  for (int i = 0; i < n; ++i) {
    xmin[i] = std::min(head(i).real(), tail(i).real());
    xmax[i] = std::max(head(i).real(), tail(i).real());
  }
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) { return xmin[a] < xmin[b]; });
  for (int k = 0; k < n; ++k) {
    const int i = order[k];
    for (int l = k + 1; l < n && xmin[order[l]] <= xmax[i]; ++l) {
      const int j = order[l];
      const int gap = std::abs(i - j);
      if (gap == 1 || gap == n - 1) continue;  // neighbours, done above
      if (segmentsMeet(head(i), tail(i), head(j), tail(j))) {
        edgeA = std::min(i, j);
        edgeB = std::max(i, j);
        return true;
      }
    }
  }
  return false;
}

double twiceSignedArea(const std::vector<Point>& v) {
  double sum = 0;
  const size_t n = v.size();
  for (size_t i = 0; i < n; ++i) {
    const Point a = v[i], b = v[(i + 1) % n];
    sum += a.real() * b.imag() - b.real() * a.imag();
  }
  return sum;
}

}  // namespace aerofoil
