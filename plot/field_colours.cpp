#include "field_colours.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "axis_labels.h"
#include "polar_plot.h"

namespace plot {

namespace {

// Band b about the neutral value: neutral + b band, b = 0 the white one.
long bandOf(const ColourScale& s, double v) { return std::lround((v - s.neutral) / s.band); }

std::string bandColour(const ColourScale& s, long b) {
  const double v = b * s.band;
  const double side = v > 0.0 ? s.hi - s.neutral : s.neutral - s.lo;
  const double t = side > 0.0 ? std::clamp(std::fabs(v) / side, 0.0, 1.0) : 0.0;
  // White to red (210, 30, 30) above, to blue (30, 70, 210) below.
  const double to[3] = {v > 0.0 ? 210.0 : 30.0, v > 0.0 ? 30.0 : 70.0, v > 0.0 ? 30.0 : 210.0};
  int c[3];
  for (int k = 0; k < 3; ++k) c[k] = static_cast<int>(std::lround(255.0 + t * (to[k] - 255.0)));
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c[0], c[1], c[2]);
  return text;
}

}  // namespace

std::string ColourScale::colour(double v) const { return bandColour(*this, bandOf(*this, v)); }

ColourScale colourScale(double lo, double hi, double neutral) {
  ColourScale s;
  if (!(hi > lo) || !std::isfinite(lo) || !std::isfinite(hi)) {
    lo = neutral - 1.0;
    hi = neutral + 1.0;
  }
  s.lo = lo;
  s.hi = hi;
  s.neutral = neutral;
  s.band = roundAxis(lo, hi, 30).step;
  return s;
}

void drawFieldColours(Drawing& d, const aerofoil::StreamGrid& g, const std::vector<double>& px,
                      const std::vector<double>& py, const std::vector<double>& value, const ColourScale& scale,
                      int w, int h, int cell) {
  if (w <= 0 || h <= 0 || cell <= 0 || value.size() != px.size()) return;
  const int nx = (w + cell - 1) / cell, ny = (h + cell - 1) / cell;
  const double none = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> raster(static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny), none);
  // Every triangle of every grid cell: the raster cells whose centres
  // ((i + 1/2) cell, (l + 1/2) cell) it holds take its linear interpolant.
  auto fill = [&](std::size_t a, std::size_t b, std::size_t c) {
    const double xa = px[a], ya = py[a], xb = px[b], yb = py[b], xc = px[c], yc = py[c];
    const double area = (xb - xa) * (yc - ya) - (xc - xa) * (yb - ya);
    if (!(std::fabs(area) > 1e-12) || !std::isfinite(value[a] + value[b] + value[c])) return;
    const int i0 = std::max(0, static_cast<int>(std::ceil(std::min({xa, xb, xc}) / cell - 0.5)));
    const int i1 = std::min(nx - 1, static_cast<int>(std::floor(std::max({xa, xb, xc}) / cell - 0.5)));
    const int l0 = std::max(0, static_cast<int>(std::ceil(std::min({ya, yb, yc}) / cell - 0.5)));
    const int l1 = std::min(ny - 1, static_cast<int>(std::floor(std::max({ya, yb, yc}) / cell - 0.5)));
    for (int l = l0; l <= l1; ++l)
      for (int i = i0; i <= i1; ++i) {
        const double X = (i + 0.5) * cell, Y = (l + 0.5) * cell;
        // Barycentric weights of b and c; a's is the rest.
        const double wb = ((X - xa) * (yc - ya) - (xc - xa) * (Y - ya)) / area;
        const double wc = ((xb - xa) * (Y - ya) - (X - xa) * (yb - ya)) / area;
        const double wa = 1.0 - wb - wc;
        if (wa < -1e-9 || wb < -1e-9 || wc < -1e-9) continue;
        raster[static_cast<std::size_t>(l) * static_cast<std::size_t>(nx) + static_cast<std::size_t>(i)] =
            wa * value[a] + wb * value[b] + wc * value[c];
      }
  };
  for (int k = 0; k + 1 < g.rings; ++k)
    for (int j = 0; j < g.rays; ++j) {
      const std::size_t a = g.node(k, j), b = g.node(k, j + 1), c = g.node(k + 1, j + 1), e = g.node(k + 1, j);
      fill(a, b, c);
      fill(a, c, e);
    }
  // A row's run of one band is one rectangle.
  for (int l = 0; l < ny; ++l) {
    const double* row = &raster[static_cast<std::size_t>(l) * static_cast<std::size_t>(nx)];
    int i = 0;
    while (i < nx) {
      if (std::isnan(row[i])) {
        ++i;
        continue;
      }
      const long b = bandOf(scale, std::clamp(row[i], scale.lo, scale.hi));
      int end = i + 1;
      while (end < nx && !std::isnan(row[end]) && bandOf(scale, std::clamp(row[end], scale.lo, scale.hi)) == b) ++end;
      d.push_back({Primitive::Fill, bandColour(scale, b), false, i * cell, l * cell, (end - i) * cell, cell, {}});
      i = end;
    }
  }
}

void drawColourBar(Drawing& d, const ColourScale& s, const std::string& title, int w, int h) {
  const int left = w - kColourBarBand, barX = left + 6, barW = 14;
  const int top = 2 * kTextAscent + 10, bottom = h - kTextAscent;
  d.push_back({Primitive::Fill, "White", false, left, 0, kColourBarBand, h, {}});
  placeText(d, barX, kTextAscent + 4, title, w, h);
  if (bottom - top < 20) return;
  auto Y = [&](double v) { return bottom - (v - s.lo) / (s.hi - s.lo) * (bottom - top); };
  // The bands, each cut to the bar's range.
  for (long b = bandOf(s, s.lo); b <= bandOf(s, s.hi); ++b) {
    const double v0 = std::max(s.lo, s.neutral + (b - 0.5) * s.band);
    const double v1 = std::min(s.hi, s.neutral + (b + 0.5) * s.band);
    if (!(v1 > v0)) continue;
    const int y0 = pixel(Y(v1)), y1 = pixel(Y(v0));
    d.push_back({Primitive::Fill, bandColour(s, b), false, barX, y0, barW, std::max(1, y1 - y0), {}});
  }
  line(d, "Black", false, barX, top, barX + barW, top);
  line(d, "Black", false, barX, bottom, barX + barW, bottom);
  line(d, "Black", false, barX, top, barX, bottom);
  line(d, "Black", false, barX + barW, top, barX + barW, bottom);
  // Round values beside it, as many as keep apart.
  const PolarAxis axis = roundAxis(s.lo, s.hi, std::max(2, (bottom - top) / (2 * kTextAscent)));
  const AxisFormat f = axisFormat(axis.lo, axis.hi, axis.step);
  for (double v = axis.lo; v <= axis.hi + 1e-9 * axis.step; v += axis.step) {
    if (v < s.lo - 1e-9 * axis.step || v > s.hi + 1e-9 * axis.step) continue;
    const int y = pixel(Y(v));
    line(d, "Black", false, barX + barW, y, barX + barW + 3, y);
    placeText(d, barX + barW + 5, y + kTextAscent / 2, axisLabel(v, f, axis.step), w, h);
  }
}

}  // namespace plot
