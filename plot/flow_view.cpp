#include "flow_view.h"

#include <algorithm>
#include <cmath>

#include "axis_labels.h"
#include "caption.h"
#include "clip.h"
#include "constants.h"
#include "field_colours.h"
#include "pick.h"

namespace plot {

namespace {

using aerofoil::Complex;
using constants::kPi;
using constants::kTwoPi;

// The colours of the views.
constexpr const char* kStreamColour = "#505050";
constexpr const char* kDividingColour = "#d00000";
constexpr const char* kContourColour = "Blue";
constexpr const char* kLiftColour = "#8000a0";
constexpr const char* kBodyColour = "#008000";
constexpr const char* kWakeColour = "#a05000";

// Lift vector: chords per unit lift coefficient, and its longest.
constexpr double kLiftLength = 0.25;
constexpr double kLiftLongest = 0.6;

// Canvas cells of the coloured field, pixels.
constexpr int kColourCell = 3;

PixelBox canvasBox(const PlaneFrame& f) { return {0, 0, f.w - 1, f.h - 1}; }

// A polyline in pixels, its points closer than `stride` pixels to the
// last one kept left out (the last point always kept), so that a curve of
// many short pieces is drawn as fewer straight ones and no run of
// one-pixel steps; doubled, a second time a pixel lower, to stand out.
constexpr double kStreamStride = 3.0;
void polyline(Drawing& d, const PlaneFrame& f, const char* colour, bool dashed, const std::vector<Complex>& p,
              bool doubled = false, double stride = 1.0) {
  if (p.size() < 2) return;
  std::vector<std::pair<int, int>> kept;
  double lastX = f.px(p[0].real()), lastY = f.py(p[0].imag());
  kept.emplace_back(pixel(lastX), pixel(lastY));
  for (std::size_t i = 1; i < p.size(); ++i) {
    const double X = f.px(p[i].real()), Y = f.py(p[i].imag());
    if (i + 1 < p.size() && std::hypot(X - lastX, Y - lastY) < stride) continue;
    kept.emplace_back(pixel(X), pixel(Y));
    lastX = X;
    lastY = Y;
  }
  for (int pass = 0; pass < (doubled ? 2 : 1); ++pass)
    for (std::size_t i = 1; i < kept.size(); ++i)
      line(d, colour, dashed, kept[i - 1].first, kept[i - 1].second + pass, kept[i].first, kept[i].second + pass);
}

// An arrow from (x, y) of the given pixel length in the plane's direction
// angle (radians, anticlockwise from +x).
void arrow(Drawing& d, const char* colour, double x, double y, double length, double angle) {
  const double ex = x + length * std::cos(angle), ey = y - length * std::sin(angle);
  line(d, colour, false, pixel(x), pixel(y), pixel(ex), pixel(ey));
  for (double side : {-1.0, 1.0}) {
    const double back = angle + kPi + side * 0.45;
    line(d, colour, false, pixel(ex), pixel(ey), pixel(ex + 8.0 * std::cos(back)), pixel(ey - 8.0 * std::sin(back)));
  }
}

// A small circle about a plane point; filled by a second, smaller one.
void dot(Drawing& d, const PlaneFrame& f, const char* colour, Complex p, bool filled) {
  const int x = pixel(f.px(p.real())), y = pixel(f.py(p.imag()));
  d.push_back({Primitive::Ellipse, colour, false, x - 4, y - 4, 8, 8, {}});
  if (filled) d.push_back({Primitive::Fill, colour, false, x - 2, y - 2, 5, 5, {}});
}

// A text on a white ground, so that no streamline runs through it.
void label(Drawing& d, int x, int baseline, const std::string& text, int w, int h, const char* colour = "Black") {
  placeText(d, x, baseline, text, w, h, colour);
  Primitive words = d.back();
  d.back() = {Primitive::Fill, "White", false, words.x1 - 2, words.y1 - kTextAscent - 1, textWidth(text) + 4,
              kTextAscent + kTextDescent + 2, {}};
  d.push_back(std::move(words));
}

// The free stream: an arrow at the top left, "U" beside it.
void freeStream(Drawing& d, double alphaDeg, int w, int h) {
  const double angle = alphaDeg * kPi / 180.0;
  const double x = 14.0, y = 2.0 * kTextAscent + 24.0;
  arrow(d, "Black", x, y, 36.0, angle);
  label(d, pixel(x + 40.0 * std::cos(angle)) + 4, pixel(y - 40.0 * std::sin(angle)) + kTextAscent / 2, "U", w, h);
}

std::vector<Complex> points(const std::vector<double>& x, const std::vector<double>& y) {
  std::vector<Complex> p;
  for (std::size_t i = 0; i < std::min(x.size(), y.size()); ++i)
    if (std::isfinite(x[i]) && std::isfinite(y[i])) p.emplace_back(x[i], y[i]);
  return p;
}

std::string number(const char* format, double v) { return valueText(format, v); }

}  // namespace

PlaneFrame sectionFrame(int w, int h) {
  PlaneFrame f;
  f.w = w;
  f.h = h;
  f.cx = 0.5;
  f.cy = 0.0;
  f.scale = std::max(1e-3, std::min(w / 2.1, h / 1.2));
  return f;
}

PlaneFrame circleFrame(double radius, int w, int h) {
  PlaneFrame f;
  f.w = w;
  f.h = h;
  f.scale = std::max(1e-3, std::min(w, h) / (4.8 * radius));
  return f;
}

FlowScene::FlowScene(const aerofoil::Joukowski& af, const PlaneFrame& section, const PlaneFrame& circle, int lines,
                     bool speeds)
    : field(af), x(af.x), y(af.y), clift(af.clift), xFocus(af.xFocus), yFocus(af.yFocus), alphaDeg(af.alphaDeg) {
  // The grid reaches past both canvases: the section frame's corners, and
  // the circle frame's.
  const Complex lo = section.plane(0, section.h), hi = section.plane(section.w, 0);
  const Complex corner = circle.plane(0, 0);
  const double reach = std::max(aerofoil::reachFor(field, lo.real(), hi.real(), lo.imag(), hi.imag()),
                                1.05 * std::abs(corner - Complex(circle.cx, circle.cy)));
  grid = aerofoil::streamGrid(field, reach, 256, speeds);
  spacing = aerofoil::streamSpacing((hi - lo).imag(), lines);
  field.dividingStreamline(reach, std::exp(kTwoPi / 256.0), dividingCircle, dividingChord);
  cpMin = 0.0;
  for (double c : af.cp)
    if (std::isfinite(c)) cpMin = std::min(cpMin, c);
}

Drawing flowView(const FlowScene& s, const PlaneFrame& f, FieldColour colour, const viscous::DisplacementBody* body) {
  Drawing d;
  if (f.w <= 0 || f.h <= 0) return d;
  d.push_back({Primitive::Fill, "White", false, 0, 0, f.w, f.h, {}});
  const aerofoil::StreamGrid& g = s.grid;

  // The field's colours, under everything else.
  if (colour != FieldColour::none && g.speed.size() == g.chord.size()) {
    std::vector<double> px(g.chord.size()), py(g.chord.size()), value(g.chord.size());
    for (std::size_t n = 0; n < g.chord.size(); ++n) {
      px[n] = f.px(g.chord[n].real());
      py[n] = f.py(g.chord[n].imag());
      value[n] = colour == FieldColour::pressure ? 1.0 - g.speed[n] * g.speed[n] : g.speed[n];
    }
    // The field's extremes are on the section: the stagnation points (Cp 1,
    // speed 0) and the suction peak; an infinite peak (a sharp nose) is
    // held to Cp -20.
    const double cpLow = std::max(s.cpMin, -20.0);
    const ColourScale scale = colour == FieldColour::pressure ? colourScale(cpLow, 1.0, 0.0)
                                                              : colourScale(0.0, std::sqrt(1.0 - cpLow), 1.0);
    drawFieldColours(d, g, px, py, value, scale, f.w, f.h, kColourCell);
  }

  // Streamlines, then the dividing streamline over them.
  const std::size_t curves = d.size();
  for (const aerofoil::StreamLine& l : aerofoil::streamLines(g, g.chord, s.spacing))
    polyline(d, f, kStreamColour, false, l.points, false, kStreamStride);
  polyline(d, f, kDividingColour, false, s.dividingChord.upstream, true);
  polyline(d, f, kDividingColour, false, s.dividingChord.downstream, true);

  // The viscous analysis's displacement body and wake centre line.
  if (body && !body->empty()) {
    for (std::size_t side = 0; side < 2; ++side) polyline(d, f, kBodyColour, true, points(body->x[side], body->y[side]));
    polyline(d, f, kWakeColour, true, points(body->wakeX, body->wakeY));
  }

  // The section and its stagnation points.
  polyline(d, f, kContourColour, false, points(s.x, s.y), true);
  dot(d, f, kDividingColour, s.field.frontStagnation(), false);
  dot(d, f, kDividingColour, s.field.rearStagnation(), false);

  // The lift vector at the focus, normal to the free stream.
  const double alpha = s.alphaDeg * kPi / 180.0;
  const double length = std::clamp(s.clift * kLiftLength, -kLiftLongest, kLiftLongest) * f.scale;
  const double fx = f.px(s.xFocus), fy = f.py(s.yFocus);
  if (std::isfinite(length) && std::fabs(length) >= 1.0) {
    const double up = alpha + 0.5 * kPi + (length < 0 ? kPi : 0.0);
    arrow(d, kLiftColour, fx, fy, std::fabs(length), up);
    label(d, pixel(fx + std::fabs(length) * std::cos(up)) + 6, pixel(fy - std::fabs(length) * std::sin(up)),
          "Cl " + number("%.4f", s.clift), f.w, f.h, kLiftColour);
  }
  clipToBox(d, curves, canvasBox(f));

  if (colour != FieldColour::none && g.speed.size() == g.chord.size()) {
    const double cpLow = std::max(s.cpMin, -20.0);
    if (colour == FieldColour::pressure)
      drawColourBar(d, colourScale(cpLow, 1.0, 0.0), "Cp", f.w, f.h);
    else
      drawColourBar(d, colourScale(0.0, std::sqrt(1.0 - cpLow), 1.0), "|V|/U", f.w, f.h);
  }
  freeStream(d, s.alphaDeg, f.w, f.h);
  label(d, 4, kTextAscent + 2, "Section plane, psi step " + number("%g", s.spacing), f.w, f.h);
  return d;
}

Drawing circleView(const FlowScene& s, const PlaneFrame& f) {
  Drawing d;
  if (f.w <= 0 || f.h <= 0) return d;
  d.push_back({Primitive::Fill, "White", false, 0, 0, f.w, f.h, {}});
  const aerofoil::StreamGrid& g = s.grid;
  const std::size_t curves = d.size();
  for (const aerofoil::StreamLine& l : aerofoil::streamLines(g, g.circle, s.spacing))
    polyline(d, f, kStreamColour, false, l.points, false, kStreamStride);
  polyline(d, f, kDividingColour, false, s.dividingCircle.upstream, true);
  polyline(d, f, kDividingColour, false, s.dividingCircle.downstream, true);
  // The circle, its centre, the stagnation points; the trailing edge's
  // image filled: the Kutta condition holds there.
  const double r = s.field.radius();
  std::vector<Complex> circle;
  for (int k = 0; k <= 256; ++k) circle.push_back(std::polar(r, kTwoPi * k / 256));
  polyline(d, f, kContourColour, false, circle, true);
  const int cx = pixel(f.px(0.0)), cy = pixel(f.py(0.0));
  line(d, kContourColour, false, cx - 5, cy, cx + 5, cy);
  line(d, kContourColour, false, cx, cy - 5, cx, cy + 5);
  const Complex te = std::polar(r, s.field.rearStagnationAngle());
  dot(d, f, kDividingColour, std::polar(r, s.field.frontStagnationAngle()), false);
  dot(d, f, kDividingColour, te, true);
  clipToBox(d, curves, canvasBox(f));
  label(d, cx + 4, cy - 4, "c", f.w, f.h, kContourColour);
  // "TE, Kutta" outside the circle beyond the trailing edge's image.
  const Complex beyond = te * 1.12;
  const int lx = pixel(f.px(beyond.real())), ly = pixel(f.py(beyond.imag()));
  label(d, beyond.real() >= 0 ? lx : lx - textWidth("TE, Kutta"), ly + kTextAscent / 2, "TE, Kutta", f.w, f.h,
        kDividingColour);
  freeStream(d, s.alphaDeg, f.w, f.h);
  label(d, 4, kTextAscent + 2, "Circle plane, Gamma " + number("%.4f", s.field.gamma()) + " U c", f.w, f.h);
  return d;
}

std::string probeText(Complex p, const aerofoil::FieldValue& v) {
  const std::string at = "x/c " + number("%.4f", p.real()) + "  y/c " + number("%.4f", p.imag());
  if (v.inside) return at + "  inside the section";
  return at + "  u " + number("%.4f", v.u) + "  v " + number("%.4f", v.v) + "  |V| " + number("%.4f", v.speed) +
         "  Cp " + number("%.4f", v.cp) + "  psi " + number("%.5f", v.psi);
}

std::string probeText(Complex circle, Complex p, const aerofoil::FieldValue& v) {
  return "circle (" + number("%.4f", circle.real()) + ", " + number("%.4f", circle.imag()) + ") at " + probeText(p, v);
}

std::vector<SvgPanel> flowPictureToSave(const aerofoil::Joukowski& af, const std::string& caption, int lines,
                                        FieldColour colour, const viscous::DisplacementBody* body, int w, int h) {
  SvgPanel top = captionPanel(caption, w);
  const int rest = std::max(0, h - top.height);
  const int left = sectionShare(w), right = w - left;
  const PlaneFrame sf = sectionFrame(left, rest);
  const aerofoil::FlowField field(af);
  const PlaneFrame cf = circleFrame(field.radius(), right, rest);
  const FlowScene scene(af, sf, cf, lines, colour != FieldColour::none);
  Drawing both = flowView(scene, sf, colour, body);
  Drawing circle = circleView(scene, cf);
  translate(circle, left, 0);
  both.insert(both.end(), circle.begin(), circle.end());
  line(both, "Black", false, left, 0, left, rest);
  return {std::move(top), {std::move(both), w, rest}};
}

}  // namespace plot
