// The cautions of a surface's march in words.
#include "core/surface_result.h"

#include "core/grid.h"

namespace bl {

std::string edge_limit_note(Surface which, int station) {
  return std::string(name(which)) + ": the normal grid reached its " + std::to_string(kMaxGridPoints) +
         " points at station " + std::to_string(station) +
         "; from there on the outer edge was held and the layer may be cut off";
}

std::string iteration_limit_note(Surface which, int station, int count) {
  std::string note = std::string(name(which)) + ": station " + std::to_string(station) +
                     " accepted at the iteration limit";
  if (count > 1) note += " (and " + std::to_string(count - 1) + " more after it)";
  return note;
}

}  // namespace bl
