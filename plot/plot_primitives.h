// Drawing as data: a plot is computed as a list of primitives in canvas
// pixels, which the window replays on its device context.  Keeping the
// arithmetic free of the toolkit lets it be checked without a display.
#pragma once

#include <cmath>
#include <string>
#include <vector>

namespace plot {

struct Primitive {
  enum Kind { Fill, Line, Text, Ellipse } kind;
  std::string colour;  // toolkit colour name: "White", "Orange", "Black", "Blue", "Red"
  bool dashed = false;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line: end points; Fill/Ellipse: x, y, width, height
  std::string text;                     // Text: at (x1, y1), y1 the baseline
};

using Drawing = std::vector<Primitive>;

// Truncation toward zero of a pixel coordinate.  Values beyond what the
// window system can address are held at its 16-bit limit, so a curve that
// leaves the canvas is clipped instead of wrapping round.
inline int pixel(double v) {
  constexpr double kLimit = 30000.0;
  if (std::isnan(v)) return 0;
  if (v > kLimit) return static_cast<int>(kLimit);
  if (v < -kLimit) return -static_cast<int>(kLimit);
  return static_cast<int>(v);
}

inline void line(Drawing& d, const char* colour, bool dashed, int x1, int y1, int x2, int y2) {
  d.push_back({Primitive::Line, colour, dashed, x1, y1, x2, y2, {}});
}

// The drawing moved by dx, dy pixels: a line moves both its ends; a fill
// or an ellipse its corner, keeping its size in x2, y2; a text its anchor.
inline void translate(Drawing& d, int dx, int dy) {
  for (Primitive& p : d) {
    p.x1 += dx;
    p.y1 += dy;
    if (p.kind == Primitive::Line) {
      p.x2 += dx;
      p.y2 += dy;
    }
  }
}

}  // namespace plot
