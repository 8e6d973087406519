// Surfaces built by hand for runs of the march: node 1 is the stagnation
// point, node i lies at arc length s(i) with edge velocity ue(s(i)).
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "core/surface.h"

template <class S, class Ue>
bl::SurfaceValues surface_table(int n, S s, Ue ue) {
  bl::SurfaceValues surf;
  for (int i = 1; i <= n; ++i) {
    const double x = s(i);
    surf.s.push_back(x);
    surf.ue.push_back(i == 1 ? 0.0 : ue(x));
  }
  surf.wall_nodes = n;
  return surf;
}

// Station rows of a march report: I5 P, 7E12.5 (x, ue, me, d1, rov, cf,
// DUmax), 5I5 (JUmax, Kiter, NP, NINV, KTBL).
struct StationRow {
  int P = 0;
  double x = 0, ue = 0, me = 0, d1 = 0, rov = 0, cf = 0, du = 0;
  int ju = 0, kiter = 0, np = 0, ninv = 0, ktbl = 0;
  std::string line;  // the row as printed

  // The printed text of real column c (0 = x, ..., 6 = DUmax).
  std::string real_field(int c) const { return line.substr(static_cast<std::size_t>(5 + 12 * c), 12); }
};

inline std::vector<StationRow> station_rows(const std::string& report) {
  std::vector<StationRow> rows;
  std::istringstream in(report);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() != 5 + 7 * 12 + 5 * 5) continue;
    std::istringstream f(line);
    StationRow r;
    if (f >> r.P >> r.x >> r.ue >> r.me >> r.d1 >> r.rov >> r.cf >> r.du >> r.ju >> r.kiter >> r.np >> r.ninv >>
        r.ktbl) {
      r.line = line;
      rows.push_back(r);
    }
  }
  return rows;
}
