#include "aerofoil_plot.h"

#include <algorithm>

#include "axis_labels.h"
#include "clip.h"

namespace plot {

namespace {
// A segment is drawn only between two finite points: the sharp leading edge
// of e = 0 has no finite speed and is left out of the curves.
bool finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}
}  // namespace

CpScale cpScaleFor(double cpmin) {
  // Each threshold belongs to the row below it: cpmin = -0.5 starts at -1.0.
  static const struct {
    double above, start, step;
  } rows[] = {
      {-0.5, -0.8, 0.1},  {-0.75, -1.0, 0.1}, {-1.0, -1.5, 0.1}, {-1.5, -2.0, 0.2},
      {-2.0, -2.5, 0.2},  {-2.5, -3.0, 0.2},  {-3.0, -3.5, 0.2}, {-3.5, -4.0, 0.2},
      {-4.0, -4.5, 0.5},  {-4.5, -5.0, 0.5},  {-5.0, -5.5, 0.5}, {-5.5, -6.0, 0.5},
      {-6.0, -6.5, 0.5},  {-6.5, -7.0, 0.5},  {-7.0, -7.5, 0.5}, {-7.5, -8.0, 0.5},
  };
  for (const auto& r : rows)
    if (cpmin > r.above) return {r.start, r.step};
  return {-10.0, 1.0};
}

void drawGrid(Drawing& d, PlotScale& ps, const aerofoil::Extremes& ex, int w, int h) {
  d.push_back({Primitive::Fill, "White", false, 0, 0, w, h, {}});

  const CpScale sc = cpScaleFor(ex.cpmin);
  ps.cpStart = sc.start;
  const double dx = ex.xmax - ex.xmin;
  const double dy = ex.cpmax - sc.start;
  const int ny = static_cast<int>(dy / sc.step);

  ps.xShift = 0.1 * dx;
  ps.xScale = w / (1.11 * dx);
  ps.yScale = 0.98 * h / dy;
  ps.yShift = sc.start + 0.01;

  // Chordwise grid every tenth of the chord.
  for (int i = 0; i <= 10; ++i) {
    const int X = pixel((0.1 * i + ps.xShift) * ps.xScale);
    line(d, "Orange", true, X, pixel(0.99 * h), X, pixel(0.01 * h));
  }
  // Pressure grid from the top of the scale down past cpmax.
  const int xLeft = pixel(ps.xShift * ps.xScale);
  const int xRight = pixel(1.1 * dx * ps.xScale);
  for (int i = 0; i <= ny; ++i) {
    const int Y = pixel((sc.start + i * sc.step - ps.yShift) * ps.yScale);
    line(d, "Orange", true, xLeft, Y, xRight, Y);
  }
  // Scale labels, baseline on their grid line, with the digits the step
  // needs.
  const AxisFormat f = axisFormat(sc.start, sc.start + ny * sc.step, sc.step);
  const int stride = labelStride(sc.step * ps.yScale, kTextAscent + kTextDescent);
  for (int i = 0; i <= ny; i += stride) {
    const int Y = pixel((sc.start + i * sc.step - ps.yShift) * ps.yScale);
    d.push_back({Primitive::Text, "Black", false, pixel(0.01 * w), Y, 0, 0,
                 axisLabel(sc.start + i * sc.step, f, sc.step)});
  }
}

void drawPressure(Drawing& d, PlotScale& ps, const aerofoil::Joukowski& af, PickPoints* points) {
  ps.yShift = ps.cpStart + 0.01;
  auto X = [&](double x) { return pixel((x + ps.xShift) * ps.xScale); };
  auto Y = [&](double cp) { return pixel((cp - ps.yShift) * ps.yScale); };
  for (int i = 0; i < af.currentN; ++i) {
    if (!finite(af.x[i], af.cp[i], af.x[i + 1], af.cp[i + 1])) continue;
    line(d, "Black", false, X(af.x[i]), Y(af.cp[i]), X(af.x[i + 1]), Y(af.cp[i + 1]));
  }
  if (points)
    for (int i = 0; i <= af.currentN; ++i)
      if (std::isfinite(af.x[i]) && std::isfinite(af.cp[i]))
        points->push_back({X(af.x[i]), Y(af.cp[i]), kPressureSeries, i});
}

void drawContour(Drawing& d, PlotScale& ps, const aerofoil::Joukowski& af,
                 const aerofoil::Extremes& ex, int w, int h, PickPoints* points) {
  // True aspect ratio, y upwards; the highest point just below the top edge.
  ps.yScale = -ps.xScale;
  ps.yShift = ex.ymax + 0.01;
  auto X = [&](double x) { return pixel((x + ps.xShift) * ps.xScale); };
  auto Y = [&](double y) { return pixel((y - ps.yShift) * ps.yScale); };

  for (int i = 0; i < af.currentN; ++i) {
    if (!finite(af.x[i], af.y[i], af.x[i + 1], af.y[i + 1])) continue;
    line(d, "Blue", false, X(af.x[i]), Y(af.y[i]), X(af.x[i + 1]), Y(af.y[i + 1]));
  }
  if (points)
    for (int i = 0; i <= af.currentN; ++i)
      if (std::isfinite(af.x[i]) && std::isfinite(af.y[i])) points->push_back({X(af.x[i]), Y(af.y[i]), kContourSeries, i});
  // Base lines: the chord level of the trailing edge and the leading-edge
  // ordinate.
  line(d, "Blue", false, X(ex.xmin), Y(af.y[0]), X(ex.xmax), Y(af.y[0]));
  line(d, "Blue", false, X(ex.xmin), Y(ex.ymax), X(ex.xmin), Y(af.y[0]));

  // Focus: a cross with an 8-pixel horizontal arm and a vertical arm that
  // follows the canvas proportions, drawn twice, and a small ellipse.
  const double xf = (af.xFocus + ps.xShift) * ps.xScale;
  const double yf = (af.yFocus - ps.yShift) * ps.yScale;
  const double r = 8.0 * w / h;
  for (int k = 0; k < 2; ++k) {
    line(d, "Red", false, pixel(xf - 8), pixel(yf), pixel(xf + 8), pixel(yf));
    line(d, "Red", false, pixel(xf), pixel(yf - r), pixel(xf), pixel(yf + r));
  }
  d.push_back({Primitive::Ellipse, "Red", false, pixel(xf - 4), pixel(yf - r / 2), 8, pixel(r), {}});
}

void drawAxisTitles(Drawing& d, const PlotScale& ps, int w, int h, int labelsRight) {
  // The pressure coefficient: its title heads the plot, right of the
  // scale, in the band above the grid.
  const int xZero = pixel(ps.xShift * ps.xScale);
  placeText(d, std::max(xZero, labelsRight) + 4, kTextAscent, "Cp, negative upwards", w, h);
  // The chord: labels under every second chordwise line, the title at the
  // start of their row, below the pressure scale.  The leading edge's own
  // label would sit on the title and is left out.
  const int baseline = h - kTextDescent;
  placeText(d, pixel(0.01 * w), baseline, "x/c", w, h);
  const AxisFormat f = axisFormat(0.0, 1.0, 0.2);
  for (int i = 1; i <= 5; ++i) {
    const std::string s = axisLabel(0.2 * i, f, 0.2);
    placeText(d, pixel((0.2 * i + ps.xShift) * ps.xScale) - textWidth(s) / 2, baseline, s, w, h);
  }
}

Drawing aerofoilPicture(PlotScale& ps, const aerofoil::Joukowski& af, int w, int h, const Mark& mark,
                        PickPoints* points) {
  Drawing d;
  if (w <= 0 || h <= 0) return d;
  const aerofoil::Extremes ex = aerofoil::findExtremes(af);
  // Grid, curves and contour fill the canvas between the title band above
  // and the chord labels below; the focus marker keeps the proportions of
  // the whole canvas.
  const int area = std::max(1, h - kPressureTitleBand - kChordLabelBand);
  drawGrid(d, ps, ex, w, area);
  const std::size_t curves = d.size();
  PickPoints at;
  drawPressure(d, ps, af, &at);
  // The contour goes under the pressure curve: where they meet (the suction
  // peak reaches into the outline at the nose, the curves of a thick
  // cambered section at incidence cross it) the curve stays whole.
  Drawing outline;
  drawContour(outline, ps, af, ex, w, h, &at);
  d.insert(d.begin() + static_cast<std::ptrdiff_t>(curves), outline.begin(), outline.end());
  ps.top = kPressureTitleBand;
  translate(d, 0, ps.top);
  // The curves end at the band of the grid: a suction peak beyond the
  // pressure scale does not run through the axis title.
  const PixelBox frame{0, ps.top, w - 1, ps.top + area};
  clipToBox(d, curves, frame);
  for (PickPoint& p : at) p.y += ps.top;
  at.erase(std::remove_if(at.begin(), at.end(), [&](const PickPoint& p) { return !frame.contains(p.x, p.y); }),
           at.end());
  d.front().y1 = 0;  // the background covers the bands too
  d.front().y2 = h;
  // The top scale label's baseline lies on the top grid line, just inside
  // the title band: held below the top edge like every other text.
  int labelsRight = 0;
  for (Primitive& p : d)
    if (p.kind == Primitive::Text) {
      p.y1 = std::max(p.y1, kTextAscent);
      labelsRight = std::max(labelsRight, p.x1 + textWidth(p.text));
    }
  drawAxisTitles(d, ps, w, h, labelsRight);
  int mx, my;
  if (markedPixel(at, mark, mx, my)) drawMark(d, mx, my);
  if (points) *points = std::move(at);
  return d;
}

std::string aerofoilValueText(const aerofoil::Joukowski& af, int i) {
  if (i < 0 || i > af.currentN) return "";
  // Point 0 is the trailing edge; the upper surface runs from it to the
  // leading edge (the foremost point), the lower surface back.
  int lead = 0;
  for (int k = 1; k < af.currentN; ++k)
    if (af.x[k] < af.x[lead]) lead = k;
  const char* where = (i == 0 || i == af.currentN) ? "trailing edge"
                      : i == lead                  ? "leading edge"
                      : i < lead                   ? "upper surface"
                                                   : "lower surface";
  return "x/c " + valueText("%.4f", af.x[i]) + "  y/c " + valueText("%.4f", af.y[i]) + "  Cp " +
         valueText("%.4f", af.cp[i]) + "  V " + valueText("%.4f", af.v[i]) + "  (" + where + ", point " +
         std::to_string(i) + ")";
}

std::string aerofoilTable(const aerofoil::Joukowski& af) {
  std::string text = tabRow({"point", "x/c", "y/c", "Cp", "V", "s/c"});
  for (int i = 0; i <= af.currentN; ++i)
    text += tabRow({std::to_string(i), cellText(af.x[i]), cellText(af.y[i]), cellText(af.cp[i]), cellText(af.v[i]),
                    cellText(af.s[i])});
  return text;
}

}  // namespace plot
