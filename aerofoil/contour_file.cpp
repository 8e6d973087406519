#include "contour_file.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "atomic_file.h"

namespace aerofoil {

namespace {

// Shortest decimal text that reads back as the same double (12, 0.131).
std::string shortest(double v) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v + 0.0);  // + 0.0: no "-0"
  return std::string(buf, res.ptr);
}

}  // namespace

std::string contourName(const Joukowski& af) {
  if (!af.name.empty())
    return af.name + " alpha=" + shortest(af.alphaDeg) + " N=" + std::to_string(af.currentN);
  return "Joukowski aerofoil alpha=" + shortest(af.alphaDeg) + " e/R1=" + shortest(af.eR1) +
         " h/R1=" + shortest(af.hR1) + " N=" + std::to_string(af.currentN);
}

std::string contourText(const Joukowski& af) {
  std::string out = contourName(af) + "\n";
  std::string previous, edge;
  char buf[96];
  for (int i = 0; i < af.currentN; ++i) {
    std::snprintf(buf, sizeof buf, "%.12f %.12f\n", af.x[i] + 0.0, af.y[i] + 0.0);
    // A zero-thickness arc (e = 0) is the image of its circle twice over:
    // with N odd the two circle points either side of the leading edge map
    // to one point of the arc.  A zero-length panel stops other programs,
    // so a point that repeats the one before it is written once.
    if (buf == previous) continue;
    previous = buf;
    if (i == 0) edge = buf;
    out += buf;
  }
  // The trailing edge again at the end: a program that finds the last
  // point short of the first takes the gap for a blunt trailing edge (one
  // gave 2 % more lift so).
  return out + edge;
}

bool writeContourFile(const Joukowski& af, const std::string& path, std::string& why) {
  if (af.currentN < 1 || static_cast<int>(af.x.size()) < af.currentN) {
    why = "There is no solved section to export";
    return false;
  }
  for (int i = 0; i < af.currentN; ++i)
    if (!std::isfinite(af.x[i]) || !std::isfinite(af.y[i])) {
      why = "Point " + std::to_string(i) + " of the contour is not a finite number";
      return false;
    }
  return files::writeAtomically(path, contourText(af), why);
}

}  // namespace aerofoil
