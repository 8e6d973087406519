#include "bl_plot.h"

#include <algorithm>
#include <cmath>

#include "axis_labels.h"
#include "clip.h"
#include "legend.h"

namespace plot {

namespace {

// Passes of the decade scaling.  Ten reach every value between 1e-10 and
// 1e11; more keep the grid at about ten lines for values beyond, down to
// where a power of ten still is a normal double.
constexpr int kDecadePasses = 300;

// Half length of a marker's cross arms and diameter of its circle, pixels.
constexpr int kMarkerArm = 8;
constexpr int kMarkerCircle = 8;

// The result column a quantity code plots.
bl::Column quantityColumn(int code) {
  switch (code) {
    case kD1: return bl::Column::d1;
    case kD2: return bl::Column::d2;
    case kH12: return bl::Column::h12;
    case kRV: return bl::Column::rv;
    default: return bl::Column::cf;
  }
}

// Cross and circle centred on the arc-length axis at arc length s.
void marker(Drawing& d, const BlTransform& t, double s, const char* colour) {
  const int X = t.X(s);
  const int Y = pixel(t.base);
  line(d, colour, false, X - kMarkerArm, Y, X + kMarkerArm, Y);
  line(d, colour, false, X, Y - kMarkerArm, X, Y + kMarkerArm);
  d.push_back({Primitive::Ellipse, colour, false, X - kMarkerCircle / 2, Y - kMarkerCircle / 2,
               kMarkerCircle, kMarkerCircle, {}});
}

// Polyline through (s(i), q(i)) over the nodes of a surface from node
// index first on, before node index end, segment by segment, cut to the
// grid's frame; the pixel of every node inside the frame goes to points as
// the given series.
void curve(Drawing& d, const BlTransform& t, const PixelBox& frame, const std::vector<double>& s,
           const std::vector<double>& q, const char* colour, int series, PickPoints& points,
           std::size_t first = 0, std::size_t end = static_cast<std::size_t>(-1)) {
  const std::size_t start = d.size();
  const std::size_t n = std::min({end, s.size(), q.size()});
  for (std::size_t i = first; i + 1 < n; ++i)
    line(d, colour, false, t.X(s[i]), t.Y(q[i]), t.X(s[i + 1]), t.Y(q[i + 1]));
  clipToBox(d, start, frame);
  for (std::size_t i = first; i < n; ++i)
    if (std::isfinite(s[i]) && std::isfinite(q[i]) && frame.contains(t.X(s[i]), t.Y(q[i])))
      points.push_back({t.X(s[i]), t.Y(q[i]), series, static_cast<int>(i)});
}

// The grid's frame on a w x h canvas.
PixelBox gridFrame(const BlTransform& t, int w) {
  return {kBlMarginLeft, kBlMarginTop, w - kBlMarginRight, pixel(t.base)};
}

void finish(Drawing& d, const PickPoints& at, const Mark& mark, PickPoints* points) {
  int x, y;
  if (markedPixel(at, mark, x, y)) drawMark(d, x, y);
  if (points) *points = at;
}

}  // namespace

const char* quantityTitle(int code) {
  static const char* const titles[kQuantityCount] = {"Cf(s)", "D1(s)", "D2(s)", "H12(s)",
                                                     "RV(s)"};
  return (code >= 0 && code < kQuantityCount) ? titles[code] : titles[kCf];
}

NiceMax niceMaximum(double d) {
  if (!(d > 0) || !std::isfinite(d)) return {1.0, 0.2};

  // Bring d into [1, 10] by decades: the value passed in is c*d.
  double c = 1;
  for (int k = 1; k <= kDecadePasses; ++k) {
    if (d < 1) {
      c = std::pow(0.1, k);
      d = 10 * d;
    } else if (d > 10) {
      c = std::pow(10.0, k);
      d = d / 10;
    } else {
      break;
    }
  }
  if (!(d >= 1 && d <= 10) || !(c > 0) || !std::isfinite(c)) return {1.0, 0.2};

  const int n = static_cast<int>(d);
  if (n >= 5) return {c * (n + 1), c};
  if (n <= 1) {
    const double step = 0.2 * c;
    return {step * (static_cast<int>(d / 0.2) + 1), step};
  }
  const double step = 0.5 * c;
  return {step * (static_cast<int>(2 * d) + 1), step};
}

SurfaceRanges surfaceRanges(const bl::SurfaceResult& surface) {
  SurfaceRanges r;
  auto widen = [](Range& range, double v) {
    if (v < range.min) range.min = v;
    if (v > range.max) range.max = v;
  };
  const std::vector<double>& s = surface[bl::Column::s];
  const std::vector<double>& ue = surface[bl::Column::ue];
  for (std::size_t i = 0; i < s.size(); ++i) {
    widen(r.s, s[i]);
    widen(r.ue, ue[i]);
    if (i < kFirstComputedNode) continue;
    for (int q = 0; q < kQuantityCount; ++q) widen(r.qty[q], surface[quantityColumn(q)][i]);
  }
  return r;
}

namespace {

// What a plot's quantity is, in words and units, after its short title.
const char* quantityMeaning(const std::string& title) {
  static const struct {
    const char* title;
    const char* meaning;
  } rows[] = {
      {"Ue(s)", "edge velocity / free-stream speed"},
      {"Cf(s)", "skin friction coefficient"},
      {"D1(s)", "displacement thickness / chord"},
      {"D2(s)", "momentum thickness / chord"},
      {"H12(s)", "shape factor D1/D2"},
      {"RV(s)", "transpiration d(rho ue D1)/ds"},
  };
  for (const auto& r : rows)
    if (title == r.title) return r.meaning;
  return "";
}

// Legend of the edge-velocity plot, right-aligned in the title band.
constexpr std::initializer_list<LegendItem> kLegend = {{"Red", "computed"}, {"Black", "inviscid"}};

// The axes of a plot: the arc length over xmin..xmax, the value from 0 to
// the nice maximum above ymax, and their mapping onto a w x h canvas.
struct Axes {
  double xmin, xmax;
  NiceMax y;
  BlTransform t;
};

Axes axesOf(double xmin, double xmax, double ymax, int w, int h) {
  // An empty or unset arc-length range (a surface of one node, or none)
  // would leave the s scale undefined: show one chord length instead.
  if (!std::isfinite(xmin) || !std::isfinite(xmax) || !(xmax > xmin)) {
    if (!std::isfinite(xmin) || !(xmin <= xmax)) xmin = 0;
    xmax = xmin + 1;
  }
  Axes a{xmin, xmax, niceMaximum(ymax), {}};
  a.t.left = kBlMarginLeft;
  a.t.base = h - kBlMarginBottom;
  a.t.xmin = xmin;
  a.t.scaleX = (w - kBlMarginLeft - kBlMarginRight) / (xmax - xmin);
  a.t.scaleY = (h - kBlMarginTop - kBlMarginBottom) / a.y.max;
  return a;
}

// The selected quantity of the selected surface, a valid code.
int selectedQuantity(const BlPlotState& st) {
  const int code = st.quantity[bl::index(st.surface)];
  return (code >= 0 && code < kQuantityCount) ? code : kCf;
}

// The end (one past the last node) of a quantity's curve: the skin
// friction ends at the trailing edge, where the wall does; the others go
// on into the wake.
std::size_t endOf(const bl::SurfaceResult& r, int code) {
  const bool wake = r.wall_nodes > 0 && r.wall_nodes < r.nodes();
  return code == kCf && wake ? static_cast<std::size_t>(r.wall_nodes) : static_cast<std::size_t>(r.nodes());
}

// Whether node i of a surface lies behind its trailing edge.
bool inWake(const bl::SurfaceResult& r, std::size_t i) {
  return r.wall_nodes > 0 && i >= static_cast<std::size_t>(r.wall_nodes);
}

// The arc-length (or, with ofUe, the edge-velocity) range of the selected
// surface's edge-velocity plot: its nodes' computed ones, and with
// interaction the bare section's inviscid ones beside them.
Range edgeVelocityRange(const BlPlotState& st, bool ofUe) {
  const int i = bl::index(st.surface);
  Range r = ofUe ? st.ranges[i].ue : st.ranges[i].s;
  if (!st.interacted(st.surface)) return r;
  for (double v : ofUe ? st.bare[i].ue : st.bare[i].s) {
    r.min = std::min(r.min, v);
    r.max = std::max(r.max, v);
  }
  return r;
}

}  // namespace

BlTransform drawBlAxes(Drawing& d, const BlPlotState& st, bl::Surface which, double xmin, double xmax,
                       double ymax, const std::string& title, int w, int h) {
  d.push_back({Primitive::Fill, "White", false, 0, 0, w, h, {}});

  const Axes axes = axesOf(xmin, xmax, ymax, w, h);
  xmin = axes.xmin;
  xmax = axes.xmax;
  const NiceMax& y = axes.y;
  const BlTransform& t = axes.t;

  // Grid: s every 0.2, one line beyond the last label; y every step.
  const int A = static_cast<int>((xmax - xmin) / kArcGridStep);
  const int G = static_cast<int>(y.max / y.step);
  for (int i = 0; i <= A + 1; ++i) {
    const int X = pixel(t.left + t.scaleX * kArcGridStep * i);
    line(d, "Orange", true, X, pixel(t.base), X, kBlMarginTop);
  }
  for (int j = 0; j <= G; ++j) {
    const int Y = pixel(t.base - t.scaleY * y.step * j);
    line(d, "Orange", true, kBlMarginLeft, Y, w - kBlMarginRight, Y);
  }

  // Labels: values on the grid lines in the digits the step needs; the y
  // ones right-aligned left of the axis and centred on their line, the s
  // ones centred under their line, below the markers' reach.
  // Where the canvas is too small for a label on every line, every second
  // (fifth, ...) line has one, so that no two labels run together.
  const AxisFormat fy = axisFormat(0.0, y.step * G, y.step);
  const int yStride = labelStride(t.scaleY * y.step, kTextAscent + kTextDescent);
  for (int j = 0; j <= G; j += yStride) {
    const std::string s = axisLabel(y.step * j, fy, y.step);
    placeText(d, kBlMarginLeft - 4 - textWidth(s),
              pixel(t.base - t.scaleY * y.step * j) + kTextAscent / 2 - 1, s, w, h);
  }
  const AxisFormat fs = axisFormat(xmin, xmin + kArcGridStep * A, kArcGridStep);
  const int sBaseline = pixel(t.base) + kMarkerArm + 1 + kTextAscent;
  const int widest = textWidth(axisLabel(xmin + kArcGridStep * A, fs, kArcGridStep));
  const int sStride = labelStride(t.scaleX * kArcGridStep, widest + kCharWidth);
  for (int i = 0; i <= A; i += sStride) {
    const std::string s = axisLabel(xmin + kArcGridStep * i, fs, kArcGridStep);
    placeText(d, pixel(t.left + t.scaleX * kArcGridStep * i) - textWidth(s) / 2, sBaseline, s, w,
              h);
  }
  // Axis titles: the arc length on a line of its own under its labels,
  // centred on the axis; the quantity in the band above the grid with what
  // it is beside it when there is room; the edge-velocity plot's legend at
  // the right of that band.
  const std::string longTitle = "s/c, arc length from stagnation point";
  const std::string sTitle = textWidth(longTitle) <= w ? longTitle : "s/c";
  placeText(d, kBlMarginLeft + (w - kBlMarginLeft - kBlMarginRight - textWidth(sTitle)) / 2,
            sBaseline + kTextAscent + kTextDescent, sTitle, w, h);
  // The legend only where it clears the title.
  const LegendFit legend =
      title == "Ue(s)" ? fitLegend(kLegend, title, kBlMarginLeft, w - kBlMarginRight) : LegendFit{};
  drawTitle(d, title, quantityMeaning(title), kBlMarginLeft, legend.shown ? legend.x : w - kBlMarginRight, w, h);

  // Where the march switched to the inverse mode, then where it turned
  // turbulent; a surface that stays attached (or laminar) to the trailing
  // edge has no such place, and xinv (xtr) there is only where the march
  // was allowed to switch.
  const int i = bl::index(which);
  const bl::SurfaceResult& r = st.surfaces[i];
  if (st.computed[i] && r.inverse_at > 0) marker(d, t, r.xinv, "Red");
  if (st.computed[i] && r.transition_at > 0) marker(d, t, r.xtr, "Blue");
  drawLegend(d, kLegend, legend, w, h);

  // The trailing edge of a surface that goes on into the wake.
  if (r.wall_nodes > 0 && r.wall_nodes < r.nodes()) {
    const int X = t.X(r[bl::Column::s][static_cast<std::size_t>(r.wall_nodes - 1)]);
    if (X >= kBlMarginLeft && X <= w - kBlMarginRight) {
      line(d, kTrailingEdgeColour, true, X, pixel(t.base), X, kBlMarginTop);
      placeText(d, X + 3, kBlMarginTop + kTextAscent + 2, "TE", w, h, kTrailingEdgeColour);
    }
  }
  return t;
}

Drawing edgeVelocityPlot(const BlPlotState& st, int w, int h, const Mark& mark, PickPoints* points) {
  Drawing d;
  if (w <= 0 || h <= 0) return d;
  const int i = bl::index(st.surface);
  const bl::SurfaceResult& surface = st.surfaces[i];
  const Range s = edgeVelocityRange(st, false), ue = edgeVelocityRange(st, true);
  const BlTransform t = drawBlAxes(d, st, st.surface, s.min, s.max, ue.max, "Ue(s)", w, h);
  // The reference first, the computed edge velocity over it: where the two
  // agree the red one stays in sight.
  PickPoints at;
  const PixelBox frame = gridFrame(t, w);
  if (st.interacted(st.surface))
    curve(d, t, frame, st.bare[i].s, st.bare[i].ue, "Black", kInviscidSeries, at);
  else
    curve(d, t, frame, surface[bl::Column::s], surface[bl::Column::ue_inv], "Black", kInviscidSeries, at);
  if (st.computed[i])
    curve(d, t, frame, surface[bl::Column::s], surface[bl::Column::ue], "Red", kComputedSeries, at,
          kFirstComputedNode);
  finish(d, at, mark, points);
  return d;
}

Drawing quantityPlot(const BlPlotState& st, int w, int h, const Mark& mark, PickPoints* points) {
  Drawing d;
  if (w <= 0 || h <= 0) return d;
  const int i = bl::index(st.surface);
  const bl::SurfaceResult& surface = st.surfaces[i];
  const int q = selectedQuantity(st);
  const SurfaceRanges& r = st.ranges[i];
  const BlTransform t = drawBlAxes(d, st, st.surface, r.s.min, r.s.max, r.qty[q].max, quantityTitle(q), w, h);
  PickPoints at;
  if (st.computed[i])
    curve(d, t, gridFrame(t, w), surface[bl::Column::s], surface[quantityColumn(q)], "Black", kComputedSeries, at,
          kFirstComputedNode, endOf(surface, q));
  finish(d, at, mark, points);
  return d;
}

namespace {
// "Cf(s)" -> "Cf".
std::string shortName(int code) {
  const std::string title = quantityTitle(code);
  return title.substr(0, title.find('('));
}
}  // namespace

std::string blValueText(const BlPlotState& st, bool edgeVelocity, int index, int series) {
  const int k = bl::index(st.surface);
  const bl::SurfaceResult& r = st.surfaces[k];
  const std::size_t i = static_cast<std::size_t>(index);
  const bool interacted = st.interacted(st.surface);
  if (edgeVelocity && interacted && series == kInviscidSeries) {
    const bl::SurfaceValues& bare = st.bare[k];
    if (index < 0 || i >= bare.s.size() || i >= bare.ue.size()) return "";
    return "s/c " + valueText("%.4f", bare.s[i]) + "  Ue inviscid " + valueText("%.4f", bare.ue[i]) + "  (" +
           bl::name(st.surface) + ", bare section, node " + std::to_string(index + 1) + ")";
  }
  const std::vector<double>& s = r[bl::Column::s];
  if (index < 0 || i >= s.size()) return "";
  const bool computed = st.computed[k] && i >= kFirstComputedNode;
  std::string text = "s/c " + valueText("%.4f", s[i]);
  if (edgeVelocity) {
    if (computed) text += "  Ue " + valueText("%.4f", r[bl::Column::ue][i]);
    if (!interacted) text += "  Ue inviscid " + valueText("%.4f", r[bl::Column::ue_inv][i]);
  } else {
    const int q = selectedQuantity(st);
    text += "  " + shortName(q) + " " + valueText("%.4g", r[quantityColumn(q)][i]);
  }
  return text + "  (" + bl::name(st.surface) + (inWake(r, i) ? ", wake station " : ", station ") +
         std::to_string(index + 1) + ")";
}

std::string blTable(const BlPlotState& st) {
  const int k = bl::index(st.surface);
  const bl::SurfaceResult& r = st.surfaces[k];
  const int q = selectedQuantity(st);
  const std::vector<double>& s = r[bl::Column::s];
  const std::vector<double>& values = r[quantityColumn(q)];
  const std::size_t end = endOf(r, q);
  if (!st.interacted(st.surface)) {
    std::string text = tabRow({"station", "s/c", "Ue", "Ue inviscid", shortName(q)});
    for (std::size_t i = 0; i < s.size(); ++i) {
      const bool computed = st.computed[k] && i >= kFirstComputedNode;
      text += tabRow({std::to_string(i + 1), cellText(s[i]), computed ? cellText(r[bl::Column::ue][i]) : "",
                      cellText(r[bl::Column::ue_inv][i]), computed && i < end ? cellText(values[i]) : ""});
    }
    return text;
  }
  // The nodes of the interacted surface and those of the bare section's
  // split side by side.
  const bl::SurfaceValues& bare = st.bare[k];
  std::string text = tabRow({"station", "s/c", "Ue", shortName(q), "s/c inviscid", "Ue inviscid"});
  for (std::size_t i = 0; i < std::max(s.size(), bare.s.size()); ++i) {
    const bool node = i < s.size(), computed = node && st.computed[k] && i >= kFirstComputedNode;
    const bool reference = i < bare.s.size() && i < bare.ue.size();
    text += tabRow({node ? std::to_string(i + 1) : "", node ? cellText(s[i]) : "",
                    computed ? cellText(r[bl::Column::ue][i]) : "", computed && i < end ? cellText(values[i]) : "",
                    reference ? cellText(bare.s[i]) : "", reference ? cellText(bare.ue[i]) : ""});
  }
  return text;
}

std::string viscousResultText(const viscous::Result& r) {
  if (!std::isfinite(r.cl))
    return "Viscous: no lift, moment or drag, " + std::to_string(r.sweeps) + " sweeps, not settled";
  return "Viscous: Cl " + valueText("%.4f", r.cl) + "  Cm c/4 " + valueText("%.4f", r.cm) + "  Cd " +
         valueText("%.5f", r.cd) + " (friction " + valueText("%.5f", r.cd_friction) + "), " +
         std::to_string(r.sweeps) + " sweeps" + (r.converged ? "" : ", not settled");
}

std::string unsettledText(const viscous::Result& r) {
  return "The viscous flow did not settle in " + std::to_string(r.sweeps) + " sweeps (last change: lift " +
         valueText("%.2g", r.change_cl) + ", surface speed " + valueText("%.2g", r.change_ue) + "): " +
         (std::isfinite(r.cl) ? "its lift and drag are those of the last sweep."
                              : "its sweeps swing, and no lift or drag is given.") +
         (r.unmarchable.empty() ? "" : "  The sweeps ended there because " + r.unmarchable + ".");
}

BlTransform edgeVelocityTransform(const BlPlotState& st, int w, int h) {
  const Range s = edgeVelocityRange(st, false), ue = edgeVelocityRange(st, true);
  return axesOf(s.min, s.max, ue.max, w, h).t;
}

BlTransform quantityTransform(const BlPlotState& st, int w, int h) {
  const SurfaceRanges& r = st.ranges[bl::index(st.surface)];
  return axesOf(r.s.min, r.s.max, r.qty[selectedQuantity(st)].max, w, h).t;
}

}  // namespace plot
