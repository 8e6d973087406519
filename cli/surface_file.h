// A surface table from any source: arc length and edge velocity per node.
#pragma once

#include <string>
#include <vector>

namespace cli {

struct SurfaceTable {
  std::vector<double> s, ue;  // node 1 first: the stagnation point, s = 0, ue = 0
};

// Reads two whitespace-separated columns per line; '#' starts a comment and
// blank lines are skipped.  Checks that the table is a boundary-layer
// surface: 3 to 600 nodes, node 1 at s = 0 with ue = 0, s strictly
// increasing, ue above 0 past node 1, every number finite.  A table that
// starts from a given turbulent layer (`started`) has its node 1 at s > 0
// with ue > 0, and 2 to 599 nodes.  On failure returns false with a
// message naming the file and line.
bool readSurfaceTable(const std::string& path, SurfaceTable& table, std::string& why, bool started = false);

}  // namespace cli
