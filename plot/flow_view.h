// The flow view: the section at its incidence in the exact flow, and the
// circle plane the flow is solved in, side by side.
//
// Section plane: the streamlines psi = k dpsi (thin, dark grey), the
// dividing streamline through the stagnation points (red, doubled), the
// front and rear stagnation points (red circles), the contour (blue), the
// free-stream direction (an arrow at the top left) and the lift vector at
// the focus (purple, a quarter chord per unit of lift coefficient, with its
// Cl); on request the field coloured by the pressure coefficient or the
// speed (colour bands, the free stream's value white, with their colour
// bar at the right), and the displacement body and the wake's centre line
// of a viscous analysis (dashed).
//
// Circle plane: the circle about its centre (marked +), the free stream,
// the streamlines of the circle flow (the same levels: the stream function
// is the same at image points), the dividing streamline, the trailing
// edge's image where the Kutta condition holds (a filled mark, "TE, Kutta")
// and the circulation's value.
//
// Both are drawn from one FlowScene: the field, the log-polar grid carried
// through the map once, and the dividing streamline.
#pragma once

#include <string>
#include <vector>

#include "flow_field.h"
#include "joukowski.h"
#include "plot_primitives.h"
#include "stream_grid.h"
#include "svg.h"
#include "viscous_analysis.h"

namespace plot {

// A plane on a canvas: equal scales, y upwards.  Plane points in chords
// (chord axes, or the circle plane about its centre).
struct PlaneFrame {
  double cx = 0, cy = 0;  // the plane point at the canvas centre
  double scale = 1;       // pixels per chord
  int w = 0, h = 0;       // canvas, pixels
  double px(double x) const { return 0.5 * w + (x - cx) * scale; }
  double py(double y) const { return 0.5 * h - (y - cy) * scale; }
  aerofoil::Complex plane(double X, double Y) const {
    return {cx + (X - 0.5 * w) / scale, cy - (Y - 0.5 * h) / scale};
  }
};

// The section plane on a w x h canvas: at least x/c -0.55..1.55 and
// y/c -0.6..0.6 in view, about the middle of the chord.
PlaneFrame sectionFrame(int w, int h);
// The circle plane: the circle of that radius (chords) about the canvas
// centre with 2.4 radii in view each way.
PlaneFrame circleFrame(double radius, int w, int h);

// Colouring of the section plane's field.
enum class FieldColour { none, pressure, speed };

// Streamlines across the section view's height at the default spacing.
constexpr int kDefaultStreamlines = 24;

struct FlowScene {
  // The flow of the solved section af, its grid out past both frames and
  // the stream function's spacing of `lines` streamlines across the section
  // frame; speeds: the grid carries the speed for a coloured field.
  FlowScene(const aerofoil::Joukowski& af, const PlaneFrame& section, const PlaneFrame& circle, int lines,
            bool speeds);

  aerofoil::FlowField field;
  aerofoil::StreamGrid grid;
  double spacing = 0.1;  // dpsi / (U c)
  aerofoil::FlowField::Branches dividingCircle, dividingChord;
  // The section's outline, lift and focus, as solved.
  std::vector<double> x, y;
  double clift = 0, xFocus = 0, yFocus = 0, alphaDeg = 0;
  double cpMin = 0;  // lowest surface pressure coefficient (finite), for the colour scale
};

// The section plane on the frame's canvas.  body: a viscous analysis's
// displacement body and wake, or null.
Drawing flowView(const FlowScene& s, const PlaneFrame& f, FieldColour colour,
                 const viscous::DisplacementBody* body = nullptr);

// The circle plane on the frame's canvas.
Drawing circleView(const FlowScene& s, const PlaneFrame& f);

// The line under the views for a probed point p (chord axes) and the flow
// there: "x/c 0.4123  y/c 0.1200  u 1.2345  v 0.1234  |V| 1.2406  Cp -0.5390
// psi 0.08712", or "x/c 0.3000  y/c 0.0200  inside the section".  From the
// circle plane, circle, the point there (about the centre, chords), goes
// first: "circle (0.1234, -0.0567) at ...".
std::string probeText(aerofoil::Complex p, const aerofoil::FieldValue& v);
std::string probeText(aerofoil::Complex circle, aerofoil::Complex p, const aerofoil::FieldValue& v);

// The picture of both planes to save: the caption above, the section
// plane in three fifths of the width beside the circle plane, w x h pixels
// in all, without the cursor.
std::vector<SvgPanel> flowPictureToSave(const aerofoil::Joukowski& af, const std::string& caption, int lines,
                                        FieldColour colour, const viscous::DisplacementBody* body, int w, int h);

// Width of the section plane's canvas in a picture or window w pixels wide.
inline int sectionShare(int w) { return w * 3 / 5; }

}  // namespace plot
