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
  bool circled = true;          // a circle on each point; a reference curve has none
};

bool unconverged(const polar::Point& p) { return p.computed && std::string(polar::convergence(p)) != "yes"; }

// The lift and drag a polar shows: the viscous analysis's, or without it
// the potential-flow lift and the Squire-Young estimate.
bool hasViscous(const polar::Point& p) { return p.computed && std::isfinite(p.viscous.cl); }
bool hasLift(const polar::Point& p, bool viscous) { return viscous ? hasViscous(p) : std::isfinite(p.clift); }
double liftOf(const polar::Point& p, bool viscous) { return viscous ? p.viscous.cl : p.clift; }
double dragOf(const polar::Point& p, bool viscous) { return viscous ? p.viscous.cd : p.cd; }
bool hasDrag(const polar::Point& p, bool viscous = false) { return p.computed && std::isfinite(dragOf(p, viscous)); }
// The lift-to-drag ratio of a viscous point; none where the drag is not
// positive.
bool hasRatio(const polar::Point& p) { return hasViscous(p) && std::isfinite(p.viscous.cd) && p.viscous.cd > 0; }
double ratioOf(const polar::Point& p) { return p.viscous.cl / p.viscous.cd; }

// The curves of one polar in a view: one, or the upper and the lower
// surface's transition, or on a viscous lift view the potential-flow lift
// (dashed, under) and the viscous lift.  keptIndex < 0: the current polar
// in its own colours; else a kept one in its muted colour, its lower
// surface dashed.  A polar without interaction has no lift-to-drag and
// no moment view.
std::vector<Series> seriesOf(PolarView view, const std::vector<polar::Point>& points, int keptIndex,
                             bool viscous) {
  const bool kept = keptIndex >= 0;
  const char* muted = kept ? keptColour(keptIndex) : nullptr;
  Series main{kept ? muted : "Black", false, polarSeries(view, keptIndex, 0), {}};
  Series upper{kept ? muted : "Blue", false, polarSeries(view, keptIndex, 0), {}};
  Series lower{kept ? muted : "Red", kept, polarSeries(view, keptIndex, 1), {}};
  Series potential{kept ? muted : "Black", true, polarSeries(view, keptIndex, 1), {}, false};
  if (!viscous && (view == kLiftToDrag || view == kMomentCurve)) return {};
  for (const polar::Point& p : points) {
    const bool marked = unconverged(p);  // the lift of the potential flow is never in doubt
    switch (view) {
      case kLiftCurve:
        main.samples.push_back({hasLift(p, viscous), p.alpha, liftOf(p, viscous), viscous && marked});
        potential.samples.push_back({std::isfinite(p.clift), p.alpha, p.clift});
        break;
      case kDragCurve:
        main.samples.push_back({hasDrag(p, viscous), p.alpha, dragOf(p, viscous), marked});
        break;
      case kDragPolar:
        main.samples.push_back({hasDrag(p, viscous) && hasLift(p, viscous), dragOf(p, viscous), liftOf(p, viscous),
                                marked});
        break;
      case kLiftToDrag:
        main.samples.push_back({hasRatio(p), p.alpha, hasRatio(p) ? ratioOf(p) : 0.0, marked});
        break;
      case kMomentCurve:
        main.samples.push_back({hasViscous(p) && std::isfinite(p.viscous.cm), p.alpha, p.viscous.cm, marked});
        break;
      default:
        upper.samples.push_back({p.computed && std::isfinite(p.upper.xc_tr), p.alpha, p.upper.xc_tr, marked});
        lower.samples.push_back({p.computed && std::isfinite(p.lower.xc_tr), p.alpha, p.lower.xc_tr, marked});
        break;
    }
  }
  if (view == kTransitionCurve) return {upper, lower};
  // The potential-flow lift beside the current viscous polar's; a kept
  // polar shows its own lift alone.
  if (view == kLiftCurve && viscous && !kept) return {potential, main};
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
// Without interaction the lift is the potential flow's at every angle,
// and the titles say so.
constexpr ViewText kText[kPolarViews] = {
    {"Clift (potential flow)", "lift coefficient", "alpha, degrees", "alpha"},
    {"Cd", "Squire-Young estimate", "alpha, degrees", "alpha"},
    {"Clift (potential flow)", "drag polar", "Cd, Squire-Young profile drag estimate", "Cd"},
    {"x/c", "transition position", "alpha, degrees", "alpha"},
    {"L/D", "lift-to-drag ratio", "alpha, degrees", "alpha"},
    {"Cm c/4", "moment about the quarter chord, nose up", "alpha, degrees", "alpha"},
};
// A viscous polar's lift and drag.
constexpr ViewText kViscousText[kPolarViews] = {
    {"Cl", "viscous lift, potential flow dashed", "alpha, degrees", "alpha"},
    {"Cd", "wake momentum defect", "alpha, degrees", "alpha"},
    {"Cl", "drag polar", "Cd, viscous drag", "Cd"},
    kText[kTransitionCurve],
    kText[kLiftToDrag],
    kText[kMomentCurve],
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

// Pixels a primitive from the curves of a view covers inside box.
bool crosses(const Primitive& p, const PixelBox& box) {
  int x1 = p.x1, y1 = p.y1, x2 = p.x2, y2 = p.y2;
  switch (p.kind) {
    case Primitive::Line: return clipSegment(x1, y1, x2, y2, box);
    case Primitive::Ellipse: return !(p.x1 + p.x2 < box.left || p.x1 > box.right || p.y1 + p.y2 < box.top || p.y1 > box.bottom);
    case Primitive::Text:
      return !(p.x1 + textWidth(p.text) < box.left || p.x1 > box.right || p.y1 + kTextDescent < box.top ||
               p.y1 - kTextAscent > box.bottom);
    default: return false;
  }
}

// A label beside the point (px, py) of a view, at the first of the places
// round it (right and below, left, above, below, right, left and above,
// right and above, left and below), each moved inside the grid's frame,
// where it crosses nothing drawn from d[from] on (the curves, a label
// before it); where every place crosses something, the one that crosses
// least.
void labelBeside(Drawing& d, std::size_t from, int px, int py, const std::string& text, const PixelBox& frame,
                 int w, int h) {
  const int width = textWidth(text), left = px - 10 - width, right = px + 10, centre = px - width / 2;
  const int below = py + 8 + kTextAscent, level = py + kTextAscent / 2 - 1, above = py - 8;
  const int places[][2] = {{right, below},  {left, level},  {centre, py - 10}, {centre, py + 10 + kTextAscent},
                           {right, level},  {left, above},  {right, above},    {left, below}};
  int bestX = right, bestY = below, fewest = -1;
  for (const auto& place : places) {
    const int x = std::max(frame.left + 2, std::min(place[0], frame.right - 2 - width));
    const int y = std::max(frame.top + 2 + kTextAscent, std::min(place[1], frame.bottom - 2 - kTextDescent));
    const PixelBox box{x, y - kTextAscent, x + width, y + kTextDescent};
    int hits = 0;
    for (std::size_t i = from; i < d.size(); ++i) hits += crosses(d[i], box) ? 1 : 0;
    if (fewest < 0 || hits < fewest) {
      fewest = hits;
      bestX = x;
      bestY = y;
    }
    if (hits == 0) break;
  }
  // A white ground under the text: a curve through the label's place
  // (where every place crosses one) runs under it, not through it.
  d.push_back({Primitive::Fill, "White", false, bestX - 1, bestY - kTextAscent - 1, width + 2,
               kTextAscent + kTextDescent + 2, {}});
  placeText(d, bestX, bestY, text, w, h, kOptimumColour);
}

}  // namespace

PolarLayout polarLayout(bool viscous) {
  if (viscous) return {{kLiftCurve, kDragCurve, kLiftToDrag, kDragPolar, kMomentCurve, kTransitionCurve}, 3};
  return {{kLiftCurve, kDragCurve, kDragPolar, kTransitionCurve}, 2};
}

PolarOptima polarOptima(const std::vector<polar::Point>& points) {
  PolarOptima o;
  const polar::Point* top = polar::maximumLift(points);
  const polar::Point* best = polar::bestLiftToDrag(points);
  if (top) o.maxLift = static_cast<int>(top - points.data());
  if (best) o.bestLiftToDrag = static_cast<int>(best - points.data());
  o.maxLiftBeyond = polar::mayLieBeyond(points, top);
  o.bestLiftToDragBeyond = polar::mayLieBeyond(points, best);
  return o;
}

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
                  PickPoints* pickPoints, bool viscous) {
  Drawing d;
  if (w <= 0 || h <= 0) return d;
  d.push_back({Primitive::Fill, "White", false, 0, 0, w, h, {}});
  const int gw = w - kPolarMarginLeft - kPolarMarginRight;
  const int gh = h - kPolarMarginTop - kPolarMarginBottom;
  if (gw < 20 || gh < 20) return d;  // no room for a grid

  // The kept polars under the current one.
  std::vector<Series> series;
  for (std::size_t k = 0; k < kept.size(); ++k) {
    const std::vector<Series> s = seriesOf(view, kept[k].points, static_cast<int>(k), kept[k].setup.viscous);
    series.insert(series.end(), s.begin(), s.end());
    for (const polar::Point& p : kept[k].points) {
      alphaFrom = std::min(alphaFrom, p.alpha);
      alphaTo = std::max(alphaTo, p.alpha);
    }
  }
  const std::vector<Series> current = seriesOf(view, points, -1, viscous);
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
  const ViewText& text = (viscous ? kViscousText : kText)[view];
  const std::string xTitle = textWidth(text.xTitle) <= gw ? text.xTitle : text.xShort;
  placeText(d, kPolarMarginLeft + (gw - textWidth(xTitle)) / 2, xBaseline + kTextAscent + kTextDescent,
            xTitle, w, h);
  const LegendFit legend = view == kTransitionCurve
                               ? fitLegend(kLegend, text.title, kPolarMarginLeft, w - kPolarMarginRight)
                               : LegendFit{};
  drawTitle(d, text.title, text.meaning, kPolarMarginLeft, legend.shown ? legend.x : w - kPolarMarginRight, w, h);
  drawLegend(d, kLegend, legend, w, h);

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
      if (s.circled)
        d.push_back({Primitive::Ellipse, p.marked ? kUnconvergedColour : s.colour, false, X(p.x) - kPolarMarker / 2,
                     Y(p.y) - kPolarMarker / 2, kPolarMarker, kPolarMarker, {}});
      if (frame.contains(X(p.x), Y(p.y))) at.push_back({X(p.x), Y(p.y), s.series, static_cast<int>(i)});
    }
  }
  clipToBox(d, curves, frame);

  // The maximum lift and the best lift-to-drag ratio of the current
  // viscous polar: a ring round the point, its value beside it.
  if (viscous && (view == kLiftCurve || view == kLiftToDrag)) {
    const PolarOptima o = polarOptima(points);
    const auto ring = [&](int index, double y, const std::string& label) {
      if (index < 0) return;
      const int px = X(points[static_cast<std::size_t>(index)].alpha), py = Y(y);
      if (!frame.contains(px, py)) return;
      constexpr int kRing = 14;
      d.push_back({Primitive::Ellipse, kOptimumColour, false, px - kRing / 2, py - kRing / 2, kRing, kRing, {}});
      labelBeside(d, curves, px, py, label, frame, w, h);
    };
    const auto label = [](const char* what, bool beyond) { return std::string(what) + (beyond ? " >= " : " "); };
    if (o.maxLift >= 0 && view == kLiftCurve) {
      const polar::Point& p = points[static_cast<std::size_t>(o.maxLift)];
      ring(o.maxLift, p.viscous.cl, label("max Cl", o.maxLiftBeyond) + valueText("%.4f", p.viscous.cl));
    }
    if (o.bestLiftToDrag >= 0) {
      const polar::Point& p = points[static_cast<std::size_t>(o.bestLiftToDrag)];
      ring(o.bestLiftToDrag, view == kLiftCurve ? p.viscous.cl : ratioOf(p),
           label("max L/D", o.bestLiftToDragBeyond) + valueText("%.1f", ratioOf(p)));
    }
  }
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
  const PolarLayout layout = polarLayout(current.viscous);
  const int columns = layout.columns, rows = static_cast<int>(layout.views.size()) / columns;
  if (pickPoints) pickPoints->clear();
  for (std::size_t k = 0; k < layout.views.size(); ++k) {
    const int col = static_cast<int>(k) % columns, row = static_cast<int>(k) / columns;
    const int x0 = w * col / columns, y0 = views * row / rows;
    const int width = w * (col + 1) / columns - x0, height = views * (row + 1) / rows - y0;
    const PolarView v = layout.views[k];
    PickPoints at;
    const Mark viewMark = polarSeriesOf(mark.series).view == v ? mark : Mark{};
    Drawing view =
        polarView(v, points, alphaFrom, alphaTo, width, height, kept, viewMark, &at, current.viscous);
    translate(view, x0, y0);
    d.insert(d.end(), std::make_move_iterator(view.begin()), std::make_move_iterator(view.end()));
    if (pickPoints)
      for (PickPoint& p : at) pickPoints->push_back({p.x + x0, p.y + y0, p.series, p.index});
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
  const bool viscous = of.kept < 0 ? current.viscous : kept[static_cast<std::size_t>(of.kept)].setup.viscous;
  if (mark.index >= static_cast<int>(polar.size())) return "";
  const polar::Point& p = polar[static_cast<std::size_t>(mark.index)];
  std::string text = "alpha " + angleText(p.alpha);
  if (viscous) {
    if (hasViscous(p)) text += "  Cl " + valueText("%.4f", p.viscous.cl);
    if (hasDrag(p, true)) text += "  Cd " + valueText("%.5f", p.viscous.cd);
    if (hasRatio(p)) text += "  L/D " + valueText("%.1f", ratioOf(p));
    if (hasViscous(p)) text += "  Cm c/4 " + valueText("%.4f", p.viscous.cm);
    text += "  (potential flow: Clift " + valueText("%.4f", p.clift) + ")";
  } else {
    text += "  Clift " + valueText("%.4f", p.clift);
    if (hasDrag(p)) text += "  Cd " + valueText("%.5f", p.cd);
  }
  if (of.view == kTransitionCurve)
    text += std::string("  x/c transition ") + (of.surface == 0 ? "upper " : "lower ") +
            valueText("%.4f", of.surface == 0 ? p.upper.xc_tr : p.lower.xc_tr);
  if (unconverged(p))
    text += std::string(polar::convergence(p)) == "sep"    ? "  (separated at the nose: the drag is not a prediction)"
            : std::string(polar::convergence(p)) == "held" ? "  (transition held: the angle alone can differ)"
                                                           : std::string("  (not converged: ") + polar::convergence(p) + ")";
  if (of.kept >= 0) text += "  (kept: " + keptLabel(kept[static_cast<std::size_t>(of.kept)].setup, current) + ")";
  return text;
}

std::string polarTable(const std::vector<polar::Point>& points, bool viscous) {
  std::vector<std::string> header = {"alpha", "Clift", "Cd_SquireYoung", "x/c_tr_u", "x/c_tr_l"};
  if (viscous) header.insert(header.end(), {"Cl_visc", "Cm_c/4", "Cd_visc", "Cd_fric", "L/D"});
  header.push_back("conv");
  std::string text = tabRow(header);
  for (const polar::Point& p : points) {
    std::vector<std::string> row = {cellText(p.alpha), cellText(p.clift), hasDrag(p) ? cellText(p.cd) : "",
                                    p.computed ? cellText(p.upper.xc_tr) : "",
                                    p.computed ? cellText(p.lower.xc_tr) : ""};
    if (viscous) {
      const bool v = hasViscous(p);
      row.insert(row.end(), {v ? cellText(p.viscous.cl) : "", v ? cellText(p.viscous.cm) : "",
                             v ? cellText(p.viscous.cd) : "", v ? cellText(p.viscous.cd_friction) : "",
                             hasRatio(p) ? cellText(ratioOf(p)) : ""});
    }
    row.push_back(polar::convergence(p));
    text += tabRow(row);
  }
  return text;
}

std::string polarGaps(const std::vector<polar::Point>& points, bool viscous) {
  std::string text;
  for (const polar::Point& p : points) {
    if (hasDrag(p, viscous) && !unconverged(p)) continue;
    char angle[48];
    std::snprintf(angle, sizeof angle, "alpha = %.3f: ", p.alpha);
    std::string why;
    for (const std::string& c : polar::cautions(p)) why += (why.empty() ? "" : "; ") + c;
    text += angle + why + "\n";
  }
  return text;
}

}  // namespace plot
