// Reading a surface table of arc length and edge velocity from a text file.
#include "surface_file.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/surface.h"

namespace cli {

namespace {
bool number(const std::string& token, double& v) {
  char* end = nullptr;
  v = std::strtod(token.c_str(), &end);
  return !token.empty() && *end == '\0' && std::isfinite(v);
}
}  // namespace

bool readSurfaceTable(const std::string& path, SurfaceTable& table, std::string& why, bool started) {
  const std::size_t most = static_cast<std::size_t>(bl::kMaxSurfaceNodes) - (started ? 1 : 0);
  std::ifstream in(path);
  if (!in) {
    why = path + ": cannot be read";
    return false;
  }
  table = SurfaceTable{};
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    const std::size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream fields(line);
    std::string a, b, extra;
    if (!(fields >> a)) continue;  // blank or comment
    const std::string where = path + ":" + std::to_string(lineNo) + ": ";
    double s = 0, ue = 0;
    if (!(fields >> b) || (fields >> extra)) {
      why = where + "expected two columns, arc length and edge velocity";
      return false;
    }
    if (!number(a, s) || !number(b, ue)) {
      why = where + "not a finite number";
      return false;
    }
    const std::size_t node = table.s.size() + 1;
    if (node > most) {
      why = where + "more than " + std::to_string(most) + " nodes";
      return false;
    }
    if (node == 1 && started && !(s > 0.0 && ue > 0.0)) {
      why = where + "node 1 is where the given turbulent layer starts: s > 0 and ue > 0";
      return false;
    }
    if (node == 1 && !started && (s != 0.0 || ue != 0.0)) {
      why = where + "node 1 must be the stagnation point, s = 0 and ue = 0";
      return false;
    }
    if (node > 1 && !(s > table.s.back())) {
      why = where + "arc length must increase strictly";
      return false;
    }
    if (node > 1 && !(ue > 0.0)) {
      why = where + "edge velocity must be above 0 past the stagnation point";
      return false;
    }
    table.s.push_back(s);
    table.ue.push_back(ue);
  }
  if (in.bad()) {
    why = path + ": read error";
    return false;
  }
  const std::size_t fewest = started ? 2 : 3;
  if (table.s.size() < fewest) {
    why = path + ": a surface needs at least " + std::to_string(fewest) + " nodes, found " +
          std::to_string(table.s.size());
    return false;
  }
  return true;
}

}  // namespace cli
