#include "stream_grid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kTwoPi;

// Where level crosses the edge from a value pa (point a) to pb (point b).
Complex crossing(double level, double pa, double pb, Complex a, Complex b) {
  const double t = (level - pa) / (pb - pa);
  return a + t * (b - a);
}
}  // namespace

StreamGrid streamGrid(const FlowField& field, double reach, int rays, bool speeds) {
  StreamGrid g;
  const CirclePlane& cp = field.plane();
  g.rays = rays;
  const double r = field.radius();
  reach = std::max(reach, 1.5 * r);
  // Square cells: the radius grows by e^{2 pi / m} from ring to ring.
  const double step = kTwoPi / rays;
  g.rings = static_cast<int>(std::ceil(std::log(reach / r) / step)) + 1;
  for (int k = 0; k < g.rings; ++k) g.radius.push_back(r * std::exp(step * k));

  // The rings through the map, in the map's own units.
  std::vector<double> rho(g.radius.size());
  for (std::size_t k = 0; k < rho.size(); ++k) rho[k] = g.radius[k] * cp.len;
  rho.front() = cp.r;  // the circle exactly
  std::vector<Complex> derivative;
  cp.map->mapRings(rho, rays, g.chord, speeds ? &derivative : nullptr);

  const std::size_t nodes = g.chord.size();
  g.circle.resize(nodes);
  g.psi.resize(nodes);
  if (speeds) {
    g.speed.resize(nodes);
    g.circleSpeed.resize(nodes);
  }
  const double gammaA = field.gamma() * cp.len;
  for (int k = 0; k < g.rings; ++k)
    for (int j = 0; j < rays; ++j) {
      const std::size_t n = g.node(k, j);
      const Complex rel = std::polar(rho[static_cast<std::size_t>(k)], step * j);
      g.circle[n] = rel / cp.len;
      g.psi[n] = k == 0 ? 0.0 : circleStreamFunction(cp, cp.centre + rel, gammaA) / cp.len;
      if (!speeds) continue;
      const Complex w = circleFlowConj(cp, cp.centre + rel, gammaA);
      g.circleSpeed[n] = std::abs(w);
      const double d = std::abs(derivative[n]);
      // At the trailing edge's node, if one falls there, the limit.
      g.speed[n] = d > 0.0 ? g.circleSpeed[n] / d : cp.map->trailingEdgeSpeed(cp.alpha);
    }
  return g;
}

double reachFor(const FlowField& field, double x0, double x1, double y0, double y1) {
  const CirclePlane& cp = field.plane();
  const SectionMap& m = *cp.map;
  double far = 0.0;
  for (double x : {x0, x1})
    for (double y : {y0, y1}) {
      // z - c ~ zeta - d0, in the map's units; the chord-axes point is
      // (zeta - origin) / len.
      const Complex zeta = m.origin + Complex(x, y) * cp.len;
      far = std::max(far, std::abs(zeta - m.d0) / cp.len);
    }
  // |c1 / (z - c)| <= |c1| / r: the near field's departure from the shift.
  return far + std::abs(m.c1) / (cp.r * cp.len) + field.radius();
}

std::vector<StreamLine> streamLines(const StreamGrid& g, const std::vector<Complex>& at, double spacing) {
  std::vector<StreamLine> lines;
  if (!(spacing > 0.0) || g.rings < 2 || at.size() != g.psi.size()) return lines;
  // Every edge of the grid has a number: ring k's edge from ray j to j+1
  // is k m + j, ray j's edge from ring k to k+1 is K m + k m + j.  A
  // crossing is known by its level and its edge; the two cells that share
  // an edge meet there.
  const long long m = g.rays, rings = g.rings;
  const long long edges = 2 * rings * m;
  auto ringEdge = [&](long long k, long long j) { return k * m + (j % m); };
  auto rayEdge = [&](long long k, long long j) { return rings * m + k * m + (j % m); };
  struct Piece {
    Complex a, b;
    long long ka, kb;  // the crossings' keys
    int level;
  };
  std::vector<Piece> pieces;
  for (int k = 0; k + 1 < g.rings; ++k)
    for (int j = 0; j < g.rays; ++j) {
      // Cell (k, j): corners 0 = (k, j), 1 = (k, j+1), 2 = (k+1, j+1),
      // 3 = (k+1, j); edge q runs from corner q to corner q+1.
      const std::size_t n[4] = {g.node(k, j), g.node(k, j + 1), g.node(k + 1, j + 1), g.node(k + 1, j)};
      const long long edge[4] = {ringEdge(k, j), rayEdge(k, j + 1), ringEdge(k + 1, j), rayEdge(k, j)};
      const double p[4] = {g.psi[n[0]], g.psi[n[1]], g.psi[n[2]], g.psi[n[3]]};
      const double lo = std::min({p[0], p[1], p[2], p[3]}), hi = std::max({p[0], p[1], p[2], p[3]});
      const int first = static_cast<int>(std::ceil(lo / spacing)), last = static_cast<int>(std::floor(hi / spacing));
      for (int level = first; level <= last; ++level) {
        if (level == 0) continue;
        const double v = level * spacing;
        // Corners above the level, as bits; a level through a corner
        // counts it below, so that each crossing lies on one edge.
        int mask = 0;
        for (int q = 0; q < 4; ++q)
          if (p[q] > v) mask |= 1 << q;
        if (mask == 0 || mask == 15) continue;
        Complex e[4];  // the crossing on each edge crossed
        int crossed[4], count = 0;
        for (int q = 0; q < 4; ++q) {
          const int q1 = (q + 1) % 4;
          if (((mask >> q) & 1) == ((mask >> q1) & 1)) continue;
          e[q] = crossing(v, p[q], p[q1], at[n[q]], at[n[q1]]);
          crossed[count++] = q;
        }
        const long long base = static_cast<long long>(level) * edges;
        auto piece = [&](int q, int r) { pieces.push_back({e[q], e[r], base + edge[q], base + edge[r], level}); };
        if (count == 2) {
          piece(crossed[0], crossed[1]);
          continue;
        }
        // A saddle: all four edges crossed.  The mean of the corners says
        // whether the level parts corners 1 and 3 from the rest (the mean
        // on the side of corners 0 and 2) or 0 and 2.
        const bool zeroAbove = (mask & 1) != 0;
        const bool meanAbove = 0.25 * (p[0] + p[1] + p[2] + p[3]) > v;
        if (meanAbove == zeroAbove) {
          piece(0, 1);
          piece(2, 3);
        } else {
          piece(3, 0);
          piece(1, 2);
        }
      }
    }

  // Join the pieces: at most two meet at a crossing.
  std::unordered_map<long long, std::array<int, 2>> at_key;
  at_key.reserve(2 * pieces.size());
  for (int i = 0; i < static_cast<int>(pieces.size()); ++i)
    for (long long key : {pieces[static_cast<std::size_t>(i)].ka, pieces[static_cast<std::size_t>(i)].kb}) {
      auto [it, fresh] = at_key.try_emplace(key, std::array<int, 2>{i, -1});
      if (!fresh) it->second[1] = i;
    }
  std::vector<char> used(pieces.size(), 0);
  // From piece i's end `key`, on along the pieces that continue it.
  auto extend = [&](int i, long long key, std::vector<Complex>& out) {
    for (;;) {
      const std::array<int, 2>& two = at_key[key];
      const int next = two[0] == i ? two[1] : two[0];
      if (next < 0 || used[static_cast<std::size_t>(next)]) return;
      used[static_cast<std::size_t>(next)] = 1;
      const Piece& q = pieces[static_cast<std::size_t>(next)];
      const bool forward = q.ka == key;
      out.push_back(forward ? q.b : q.a);
      key = forward ? q.kb : q.ka;
      i = next;
    }
  };
  for (int i = 0; i < static_cast<int>(pieces.size()); ++i) {
    if (used[static_cast<std::size_t>(i)]) continue;
    used[static_cast<std::size_t>(i)] = 1;
    const Piece& p = pieces[static_cast<std::size_t>(i)];
    std::vector<Complex> ahead{p.b}, behind{p.a};
    extend(i, p.kb, ahead);
    extend(i, p.ka, behind);
    StreamLine line;
    line.level = p.level;
    line.points.assign(behind.rbegin(), behind.rend());
    line.points.insert(line.points.end(), ahead.begin(), ahead.end());
    lines.push_back(std::move(line));
  }
  return lines;
}

double streamSpacing(double h, int lines) {
  const double raw = h / std::max(lines, 1);
  if (!(raw > 0.0) || !std::isfinite(raw)) return 0.1;
  const double decade = std::pow(10.0, std::floor(std::log10(raw)));
  for (double f : {1.0, 2.0, 5.0})
    if (raw <= f * decade * 1.5) return f * decade;
  return 10.0 * decade;
}

}  // namespace aerofoil
