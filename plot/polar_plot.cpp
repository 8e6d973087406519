#include "polar_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "axis_labels.h"
#include "clip.h"
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
  bool dashed;
  int series;                   // as polarSeries gives it
  std::vector<Sample> samples;  // in the order of the table
};

bool hasDrag(const polar::Point& p) { return p.computed && std::isfinite(p.cd); }
bool unconverged(const polar::Point& p) { return p.computed && std::string(polar::convergence(p)) != "yes"; }

// The curves of one polar in a view: one, or the upper and the lower
// surface's transition.  keptIndex < 0: the current polar in its own
// colours; else a kept one in its muted colour, its lower surface dashed.
std::vector<Series> seriesOf(PolarView view, const std::vector<polar::Point>& points, int keptIndex) {
  const bool kept = keptIndex >= 0;
  const char* muted = kept ? keptColour(keptIndex) : nullptr;
  Series main{kept ? muted : "Black", false, polarSeries(view, keptIndex, 0), {}};
  Series upper{kept ? muted : "Blue", false, polarSeries(view, keptIndex, 0), {}};
  Series lower{kept ? muted : "Red", kept, polarSeries(view, keptIndex, 1), {}};
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
// The lift is the potential flow's at every angle, and the titles say so.
constexpr ViewText kText[kPolarViews] = {
    {"Clift (potential flow)", "lift coefficient", "alpha, degrees", "alpha"},
    {"Cd", "Squire-Young estimate", "alpha, degrees", "alpha"},
    {"Clift (potential flow)", "drag polar", "Cd, Squire-Young profile drag estimate", "Cd"},
    {"x/c", "transition position", "alpha, degrees", "alpha"},
};

// The transition plot's legend, right-aligned in the title band.
constexpr std::initializer_list<LegendItem> kLegend = {{"Blue", "upper"}, {"Red", "lower"}};

// Grid lines (and labels) a step apart from lo to hi.
int intervals(const PolarAxis& a) { return static_cast<int>(std::lround((a.hi - a.lo) / a.step)); }

// An angle as the value line shows it: the decimals it needs, at least one.
std::string angleText(double alpha) {
  std::string s = valueText("%.3f", alpha);
  while (s.size() > 1 && s.back() == '0' && s[s.size() - 2] != '.') s.pop_back();
  return s;
}

}  // namespace

int polarSeries(PolarView view, int keptIndex, int surface) {
  return static_cast<int>(view) * 100 + (keptIndex + 1) * 2 + surface;
}

PolarSeriesOf polarSeriesOf(int series) {
  const int curve = series % 100;
  return {static_cast<PolarView>(series / 100), curve / 2 - 1, curve % 2};
}

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
                  double alphaTo, int w, int h, const std::vector<KeptPolar>& kept, const Mark& mark,
                  PickPoints* pickPoints) {
  Drawing d;
  if (w <= 0 || h <= 0) return d;
  d.push_back({Primitive::Fill, "White", false, 0, 0, w, h, {}});
  const int gw = w - kPolarMarginLeft - kPolarMarginRight;
  const int gh = h - kPolarMarginTop - kPolarMarginBottom;
  if (gw < 20 || gh < 20) return d;  // no room for a grid

  // The kept polars under the current one.
  std::vector<Series> series;
  for (std::size_t k = 0; k < kept.size(); ++k) {
    const std::vector<Series> s = seriesOf(view, kept[k].points, static_cast<int>(k));
    series.insert(series.end(), s.begin(), s.end());
    for (const polar::Point& p : kept[k].points) {
      alphaFrom = std::min(alphaFrom, p.alpha);
      alphaTo = std::max(alphaTo, p.alpha);
    }
  }
  const std::vector<Series> current = seriesOf(view, points, -1);
  series.insert(series.end(), current.begin(), current.end());

  // Room for labels: 45 pixels per angle label ("-10"), 64 per drag label
  // ("0.0125"), 28 per value label.
  const int maxX = std::clamp(gw / (view == kDragPolar ? 64 : 45), 2, 8), maxY = std::clamp(gh / 28, 2, 8);
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
  // The x labels start below the lowest value label, which is centred on
  // the bottom grid line: the first of them would otherwise touch it.
  const int xBaseline = pixel(base) + kTextAscent / 2 + kTextDescent + kTextAscent;
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
  // what it shows beside it when there is room, the legend at the right
  // where it clears the title.
  const ViewText& text = kText[view];
  const std::string xTitle = textWidth(text.xTitle) <= gw ? text.xTitle : text.xShort;
  placeText(d, kPolarMarginLeft + (gw - textWidth(xTitle)) / 2, xBaseline + kTextAscent + kTextDescent,
            xTitle, w, h);
  const bool legend = view == kTransitionCurve && w - kPolarMarginRight - legendWidth(kLegend) >=
                                                     kPolarMarginLeft + textWidth(text.title) + kCharWidth;
  const int right = w - kPolarMarginRight - (legend ? legendWidth(kLegend) : 0);
  drawTitle(d, text.title, text.meaning, kPolarMarginLeft, right, w, h);
  if (legend) drawLegend(d, kLegend, right, w, h);

  // Curves: a line between neighbours that both have a trusted value, a
  // circle on every point that has one; a point that did not converge
  // stands apart, grey; all cut to the grid.
  const PixelBox frame{kPolarMarginLeft, kPolarMarginTop, w - kPolarMarginRight, pixel(base)};
  const std::size_t curves = d.size();
  PickPoints at;
  for (const Series& s : series) {
    for (std::size_t i = 0; i + 1 < s.samples.size(); ++i) {
      const Sample &a = s.samples[i], &b = s.samples[i + 1];
      if (a.valid && b.valid && !a.marked && !b.marked) line(d, s.colour, s.dashed, X(a.x), Y(a.y), X(b.x), Y(b.y));
    }
    for (std::size_t i = 0; i < s.samples.size(); ++i) {
      const Sample& p = s.samples[i];
      if (!p.valid) continue;
      d.push_back({Primitive::Ellipse, p.marked ? kUnconvergedColour : s.colour, false, X(p.x) - kPolarMarker / 2,
                   Y(p.y) - kPolarMarker / 2, kPolarMarker, kPolarMarker, {}});
      if (frame.contains(X(p.x), Y(p.y))) at.push_back({X(p.x), Y(p.y), s.series, static_cast<int>(i)});
    }
  }
  clipToBox(d, curves, frame);
  int mx, my;
  if (markedPixel(at, mark, mx, my)) drawMark(d, mx, my);
  if (pickPoints) *pickPoints = std::move(at);
  return d;
}

Drawing polarPicture(const std::vector<polar::Point>& points, double alphaFrom, double alphaTo, int w, int h,
                     const std::vector<KeptPolar>& kept, const PolarSetup& current, const Mark& mark,
                     PickPoints* pickPoints) {
  Drawing d;
  if (w <= 0 || h <= 0) return d;
  const int band = kept.empty() ? 0 : kKeptLegendBand;
  const int views = std::max(0, h - band);
  const int x0[2] = {0, w / 2}, widths[2] = {w / 2, w - w / 2};
  const int y0[2] = {0, views / 2}, heights[2] = {views / 2, views - views / 2};
  if (pickPoints) pickPoints->clear();
  for (int v = 0; v < kPolarViews; ++v) {
    const int col = v % 2, row = v / 2;
    PickPoints at;
    const Mark viewMark = polarSeriesOf(mark.series).view == v ? mark : Mark{};
    Drawing view = polarView(static_cast<PolarView>(v), points, alphaFrom, alphaTo, widths[col], heights[row],
                             kept, viewMark, &at);
    translate(view, x0[col], y0[row]);
    d.insert(d.end(), std::make_move_iterator(view.begin()), std::make_move_iterator(view.end()));
    if (pickPoints)
      for (PickPoint& p : at) pickPoints->push_back({p.x + x0[col], p.y + y0[row], p.series, p.index});
  }
  if (band > 0) {
    // The legend band: "this polar", then each kept polar by what sets it
    // apart, as far as the width goes.
    d.push_back({Primitive::Fill, "White", false, 0, views, w, band, {}});
    const int baseline = views + kTextAscent + 3;
    int x = kPolarMarginLeft;
    const auto item = [&](const char* colour, const std::string& label) {
      const int width = 22 + textWidth(label);
      if (x + width > w) return false;
      d.push_back({Primitive::Fill, colour, false, x, baseline - 5, 18, 3, {}});
      placeText(d, x + 22, baseline, label, w, h);
      x += width + 16;
      return true;
    };
    if (item("Black", "this polar"))
      for (std::size_t k = 0; k < kept.size(); ++k)
        if (!item(keptColour(static_cast<int>(k)), keptLabel(kept[k].setup, current))) break;
  }
  return d;
}

std::string polarValueText(const Mark& mark, const std::vector<polar::Point>& points,
                           const std::vector<KeptPolar>& kept, const PolarSetup& current) {
  if (!mark.valid()) return "";
  const PolarSeriesOf of = polarSeriesOf(mark.series);
  if (of.kept >= static_cast<int>(kept.size())) return "";
  const std::vector<polar::Point>& polar = of.kept < 0 ? points : kept[static_cast<std::size_t>(of.kept)].points;
  if (mark.index >= static_cast<int>(polar.size())) return "";
  const polar::Point& p = polar[static_cast<std::size_t>(mark.index)];
  std::string text = "alpha " + angleText(p.alpha) + "  Clift " + valueText("%.4f", p.clift);
  if (hasDrag(p)) text += "  Cd " + valueText("%.5f", p.cd);
  if (of.view == kTransitionCurve)
    text += std::string("  x/c transition ") + (of.surface == 0 ? "upper " : "lower ") +
            valueText("%.4f", of.surface == 0 ? p.upper.xc_tr : p.lower.xc_tr);
  if (unconverged(p))
    text += std::string(polar::convergence(p)) == "sep" ? "  (separated at the nose: the drag is not a prediction)"
                                                        : std::string("  (not converged: ") + polar::convergence(p) + ")";
  if (of.kept >= 0) text += "  (kept: " + keptLabel(kept[static_cast<std::size_t>(of.kept)].setup, current) + ")";
  return text;
}

std::string polarTable(const std::vector<polar::Point>& points) {
  std::string text = tabRow({"alpha", "Clift", "Cd_SquireYoung", "x/c_tr_u", "x/c_tr_l", "conv"});
  for (const polar::Point& p : points)
    text += tabRow({cellText(p.alpha), cellText(p.clift), hasDrag(p) ? cellText(p.cd) : "",
                    p.computed ? cellText(p.upper.xc_tr) : "", p.computed ? cellText(p.lower.xc_tr) : "",
                    polar::convergence(p)});
  return text;
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
