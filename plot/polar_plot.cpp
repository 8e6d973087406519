#include "polar_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "axis_labels.h"
#include "legend.h"

namespace plot {

namespace {

// One point of a curve; not valid where the angle has no value to show,
// marked where its boundary layer did not converge.
struct Sample {
  bool valid = false;
  double x = 0, y = 0;
  bool marked = false;
};

struct Series {
  const char* colour;
  std::vector<Sample> samples;  // in the order of the table
};

bool hasDrag(const polar::Point& p) { return p.computed && std::isfinite(p.cd); }
bool unconverged(const polar::Point& p) { return p.computed && std::string(polar::convergence(p)) != "yes"; }

std::vector<Series> seriesOf(PolarView view, const std::vector<polar::Point>& points) {
  Series main{"Black", {}}, upper{"Blue", {}}, lower{"Red", {}};
  for (const polar::Point& p : points) {
    const bool marked = unconverged(p);  // the lift of the potential flow is never in doubt
    switch (view) {
      case kLiftCurve:
        main.samples.push_back({std::isfinite(p.clift), p.alpha, p.clift});
        break;
      case kDragCurve:
        main.samples.push_back({hasDrag(p), p.alpha, p.cd, marked});
        break;
      case kDragPolar:
        main.samples.push_back({hasDrag(p) && std::isfinite(p.clift), p.cd, p.clift, marked});
        break;
      default:
        upper.samples.push_back({p.computed && std::isfinite(p.upper.xc_tr), p.alpha, p.upper.xc_tr, marked});
        lower.samples.push_back({p.computed && std::isfinite(p.lower.xc_tr), p.alpha, p.lower.xc_tr, marked});
        break;
    }
  }
  if (view == kTransitionCurve) return {upper, lower};
  return {main};
}

// Smallest and largest valid x or y over the series; false when none is valid.
bool extent(const std::vector<Series>& series, bool ofX, double& lo, double& hi) {
  bool any = false;
  for (const Series& s : series)
    for (const Sample& p : s.samples) {
      if (!p.valid) continue;
      const double v = ofX ? p.x : p.y;
      lo = any ? std::min(lo, v) : v;
      hi = any ? std::max(hi, v) : v;
      any = true;
    }
  return any;
}

struct ViewText {
  const char* title;
  const char* meaning;  // beside the title when there is room
  const char* xTitle;
  const char* xShort;  // when the whole title does not fit
};
constexpr ViewText kText[kPolarViews] = {
    {"Clift", "lift coefficient", "alpha, degrees", "alpha"},
    {"Cd", "Squire-Young estimate", "alpha, degrees", "alpha"},
    {"Clift", "drag polar", "Cd, Squire-Young profile drag estimate", "Cd"},
    {"x/c", "transition position", "alpha, degrees", "alpha"},
};

// The transition plot's legend, right-aligned in the title band.
constexpr std::initializer_list<LegendItem> kLegend = {{"Blue", "upper"}, {"Red", "lower"}};

// Grid lines (and labels) a step apart from lo to hi.
int intervals(const PolarAxis& a) { return static_cast<int>(std::lround((a.hi - a.lo) / a.step)); }

}  // namespace

PolarAxis roundAxis(double lo, double hi, int maxIntervals) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) return {};
  if (lo > hi) std::swap(lo, hi);
  maxIntervals = std::max(1, maxIntervals);
  // A single value (one point so far, or a curve that is flat) is shown in
  // the middle of a tenth of its size around it.
  if (hi - lo <= 1e-9 * std::max(std::fabs(lo), std::fabs(hi))) {
    const double pad = lo != 0 ? 0.1 * std::fabs(lo) : 1.0;
    lo -= pad;
    hi += pad;
  }
  const double raw = (hi - lo) / maxIntervals;
  const double mag = std::pow(10.0, std::floor(std::log10(raw)));
  if (!std::isfinite(raw) || !(mag > 0) || !std::isfinite(mag)) return {};
  // The first step from mag up whose whole multiples cover lo..hi in few
  // enough intervals; mag <= raw, so at most a decade and a half above it.
  for (int decade = 0; decade < 3; ++decade)
    for (const double m : {1.0, 2.0, 5.0}) {
      const double step = m * mag * std::pow(10.0, decade);
      const double a = std::floor(lo / step + 1e-9), b = std::ceil(hi / step - 1e-9);
      if (b > a && b - a <= maxIntervals) return {a * step, b * step, step};
    }
  return {lo, hi, hi - lo};
}

Drawing polarView(PolarView view, const std::vector<polar::Point>& points, double alphaFrom,
                  double alphaTo, int w, int h) {
  Drawing d;
  if (w <= 0 || h <= 0) return d;
  d.push_back({Primitive::Fill, "White", false, 0, 0, w, h, {}});
  const int gw = w - kPolarMarginLeft - kPolarMarginRight;
  const int gh = h - kPolarMarginTop - kPolarMarginBottom;
  if (gw < 20 || gh < 20) return d;  // no room for a grid

  // Room for labels: 45 pixels per angle label ("-10"), 64 per drag label
  // ("0.0125"), 28 per value label.
  const int maxX = std::clamp(gw / (view == kDragPolar ? 64 : 45), 2, 8), maxY = std::clamp(gh / 28, 2, 8);
  const std::vector<Series> series = seriesOf(view, points);
  PolarAxis ax, ay;
  double lo = 0, hi = 0;
  if (view == kDragPolar)
    ax = extent(series, true, lo, hi) ? roundAxis(lo, hi, maxX) : roundAxis(0, 0.02, maxX);
  else
    ax = roundAxis(alphaFrom, alphaTo, maxX);
  if (view == kTransitionCurve)
    ay = PolarAxis{0, 1, 0.2};
  else if (extent(series, false, lo, hi))
    ay = roundAxis(lo, hi, maxY);
  else
    ay = view == kDragCurve ? roundAxis(0, 0.02, maxY) : roundAxis(0, 1, maxY);

  const double left = kPolarMarginLeft, base = kPolarMarginTop + gh;
  const auto X = [&](double v) { return pixel(left + (v - ax.lo) / (ax.hi - ax.lo) * gw); };
  const auto Y = [&](double v) { return pixel(base - (v - ay.lo) / (ay.hi - ay.lo) * gh); };

  // Grid and labels: the angle (or drag) centred under its line, the value
  // right-aligned left of the grid and centred on its line.
  const int nx = intervals(ax), ny = intervals(ay);
  const AxisFormat fx = axisFormat(ax.lo, ax.hi, ax.step), fy = axisFormat(ay.lo, ay.hi, ay.step);
  const int xBaseline = pixel(base) + 4 + kTextAscent;
  for (int i = 0; i <= nx; ++i) {
    const double v = ax.lo + i * ax.step;
    line(d, "Orange", true, X(v), pixel(base), X(v), kPolarMarginTop);
    const std::string s = axisLabel(v, fx, ax.step);
    placeText(d, X(v) - textWidth(s) / 2, xBaseline, s, w, h);
  }
  for (int j = 0; j <= ny; ++j) {
    const double v = ay.lo + j * ay.step;
    line(d, "Orange", true, kPolarMarginLeft, Y(v), w - kPolarMarginRight, Y(v));
    const std::string s = axisLabel(v, fy, ay.step);
    placeText(d, kPolarMarginLeft - 4 - textWidth(s), Y(v) + kTextAscent / 2 - 1, s, w, h);
  }

  // Titles: the axis's under its labels, the view's in the band above with
  // what it shows beside it when there is room, the legend at the right.
  const ViewText& text = kText[view];
  const std::string xTitle = textWidth(text.xTitle) <= gw ? text.xTitle : text.xShort;
  placeText(d, kPolarMarginLeft + (gw - textWidth(xTitle)) / 2, xBaseline + kTextAscent + kTextDescent,
            xTitle, w, h);
  const int right = w - kPolarMarginRight - (view == kTransitionCurve ? legendWidth(kLegend) : 0);
  drawTitle(d, text.title, text.meaning, kPolarMarginLeft, right, w, h);
  if (view == kTransitionCurve && right >= kPolarMarginLeft) drawLegend(d, kLegend, right, w, h);

  // Curves: a line between neighbours that both have a trusted value, a
  // circle on every point that has one; a point that did not converge
  // stands apart, grey.
  for (const Series& s : series) {
    for (std::size_t i = 0; i + 1 < s.samples.size(); ++i) {
      const Sample &a = s.samples[i], &b = s.samples[i + 1];
      if (a.valid && b.valid && !a.marked && !b.marked) line(d, s.colour, false, X(a.x), Y(a.y), X(b.x), Y(b.y));
    }
    for (const Sample& p : s.samples)
      if (p.valid)
        d.push_back({Primitive::Ellipse, p.marked ? kUnconvergedColour : s.colour, false, X(p.x) - kPolarMarker / 2,
                     Y(p.y) - kPolarMarker / 2, kPolarMarker, kPolarMarker, {}});
  }
  return d;
}

Drawing polarPicture(const std::vector<polar::Point>& points, double alphaFrom, double alphaTo,
                     int w, int h) {
  Drawing d;
  if (w <= 0 || h <= 0) return d;
  const int x0[2] = {0, w / 2}, widths[2] = {w / 2, w - w / 2};
  const int y0[2] = {0, h / 2}, heights[2] = {h / 2, h - h / 2};
  for (int v = 0; v < kPolarViews; ++v) {
    const int col = v % 2, row = v / 2;
    Drawing view = polarView(static_cast<PolarView>(v), points, alphaFrom, alphaTo, widths[col], heights[row]);
    translate(view, x0[col], y0[row]);
    d.insert(d.end(), std::make_move_iterator(view.begin()), std::make_move_iterator(view.end()));
  }
  return d;
}

std::string polarGaps(const std::vector<polar::Point>& points) {
  std::string text;
  for (const polar::Point& p : points) {
    if (hasDrag(p) && !unconverged(p)) continue;
    char angle[48];
    std::snprintf(angle, sizeof angle, "alpha = %.3f: ", p.alpha);
    std::string why;
    for (const std::string& c : polar::cautions(p)) why += (why.empty() ? "" : "; ") + c;
    text += angle + why + "\n";
  }
  return text;
}

}  // namespace plot
