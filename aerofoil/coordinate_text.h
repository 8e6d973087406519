// The points of an aerofoil coordinate file, read from its text.
//
// Two layouts are in use, told apart by their content:
// - Selig: a name line, then one "x y" line per point from the trailing edge
//   over the upper surface to the nose and back along the lower surface.
// - Lednicer: a name line, a line with the point counts of the two surfaces
//   ("61. 61."), then the upper surface from the nose to the trailing edge
//   and the lower surface from the nose to the trailing edge, usually each
//   after a blank line.
// A second line of two whole numbers of at least 2 whose sum is the number
// of points after it is Lednicer's count line; anything else is Selig's.
// Blank lines are skipped, numbers are separated by blanks or tabs, Windows
// line ends are read as well.  A first line that is itself a point means
// the file has no name line.
#pragma once

#include <complex>
#include <string>
#include <vector>

namespace aerofoil {

constexpr int kMinCoordinatePoints = 10;      // fewer cannot describe a section
constexpr int kMaxCoordinatePoints = 10000;   // more is no aerofoil file
constexpr double kMaxCoordinate = 1e6;        // largest |x| or |y| taken
constexpr std::size_t kMaxCoordinateBytes = 4u << 20;  // largest file read, 4 MiB

// A file's points in the Selig order, as read.
struct CoordinatePoints {
  std::string name;                      // the name line, printable, "" when there is none
  std::vector<std::complex<double>> z;   // x + i y of each point
  std::vector<int> line;                 // the file line (from 1) each point came from
};

// Reads text; on a fault returns false with one line in why naming the
// file line where it is ("line 12: ...").
bool readCoordinateText(const std::string& text, CoordinatePoints& out, std::string& why);

}  // namespace aerofoil
