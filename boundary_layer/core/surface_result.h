// What the march leaves along a surface: per node the quantities of the
// columns below, listed once here for every writer, plot and report, and
// per surface the positions and counts of what the march ran into.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/status.h"
#include "core/surface.h"

namespace bl {

// The per-node quantities, in this order.  The first two come with the
// surface, the others from the march: nodes 1 and 2 (the stagnation point
// and the station after it, which carry the starting profile) and nodes the
// march did not reach hold 0 for these, and the inviscid edge velocity as ue.
enum class Column { s, ue, ue_inv, cf, d1, d2, h12, rv };
constexpr std::size_t kColumns = 8;

struct ColumnInfo {
  Column column;
  const char* name;     // key of the column in the machine-readable summary
  const char* meaning;  // what it is, in words
  bool marched;         // computed by the march (else given with the surface)
};

inline constexpr ColumnInfo kColumnInfo[kColumns] = {
    {Column::s, "s", "arc length from the stagnation point", false},
    {Column::ue, "ue", "edge velocity the march computed", true},
    {Column::ue_inv, "ue_inviscid", "inviscid edge velocity", false},
    {Column::cf, "cf", "skin-friction coefficient", true},
    {Column::d1, "d1", "displacement thickness", true},
    {Column::d2, "d2", "momentum thickness", true},
    {Column::h12, "h12", "shape factor d1/d2", true},
    {Column::rv, "rv", "transpiration quantity d(rho_e ue d1)/ds", true},
};

struct SurfaceResult {
  double xtr = 0;             // transition position the march used (arc length)
  double xinv = 0;            // start of the inverse mode it used
  int iteration_limited = 0;  // stations accepted at the Newton iteration limit
  int limited_at = 0;         // the first of them, or 0
  int edge_limited_at = 0;    // first station whose outer edge hit the grid capacity, or 0
  int transition_at = 0;      // first turbulent station, or 0: laminar to the end
  int inverse_at = 0;         // first station of the inverse mode, or 0: none
  int wall_nodes = 0;         // nodes on the wall (see SurfaceValues)
  std::array<std::vector<double>, kColumns> columns;  // index static_cast<int>(Column)
  std::vector<int> grid_points;  // normal grid points each node was computed on; 0 where not marched
  Status status;  // whether the march reached the end of the surface, and if not why

  // The surface before any march: s and the inviscid edge velocity (also
  // as ue), every marched quantity 0.
  static SurfaceResult unmarched(const SurfaceValues& surface);

  const std::vector<double>& operator[](Column c) const { return columns[static_cast<std::size_t>(c)]; }
  std::vector<double>& operator[](Column c) { return columns[static_cast<std::size_t>(c)]; }
  int nodes() const { return static_cast<int>((*this)[Column::s].size()); }

  // The value of a column at the trailing edge (the last wall node); 0 for
  // a surface without nodes.
  double at_trailing_edge(Column c) const {
    return wall_nodes > 0 ? (*this)[c][static_cast<std::size_t>(wall_nodes - 1)] : 0.0;
  }
};

// The cautions of a march that reached the end of its surface, in the
// words the session lists them: an outer edge held at the grid's capacity
// from `station` on; `count` stations accepted at the Newton iteration
// limit, the first at `station`.
std::string edge_limit_note(Surface which, int station);
std::string iteration_limit_note(Surface which, int station, int count);

inline SurfaceResult SurfaceResult::unmarched(const SurfaceValues& surface) {
  SurfaceResult r;
  r.wall_nodes = surface.wall_nodes;
  const std::size_t n = surface.s.size();
  for (const ColumnInfo& c : kColumnInfo) r[c.column].assign(n, 0.0);
  r[Column::s] = surface.s;
  r[Column::ue] = surface.ue;
  r[Column::ue_inv] = surface.ue;
  r.grid_points.assign(n, 0);
  return r;
}

}  // namespace bl
