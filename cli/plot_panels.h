// The picture --plot writes: the windows' drawings stacked in one SVG file.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "joukowski.h"
#include "session/session.h"
#include "svg.h"

namespace cli {

// Size of the pictures, in pixels: the pressure plot, and each
// boundary-layer plot below it.
constexpr int kPlotWidth = 800;
constexpr int kPlotHeight = 600;
constexpr int kBlPlotHeight = 300;

// The plot's quantity code of a --quantity name (cf, d1, d2, h12).
int quantityCode(const std::string& name);

// The drawings, top to bottom: a caption naming the section and the
// pressure plot as the window's canvas draws it; with the boundary layer
// computed (surfaces, upper and lower, not null), for the upper and then the lower surface a
// caption naming it and the two plots of the boundary-layer window, the
// edge velocity and the chosen quantity.  bare: after a viscous analysis,
// the bare section's split, whose inviscid edge velocity the edge-velocity
// plots draw under the interacted one.  turbulence: the closure the layers
// were marched with, which the surfaces' captions name when it is not the
// algebraic one.
std::vector<plot::SvgPanel> plotPanels(const aerofoil::Joukowski& af, const std::array<bl::SurfaceResult, 2>* surfaces,
                                       int quantity, const std::array<bl::SurfaceValues, 2>* bare = nullptr,
                                       bl::Turbulence turbulence = bl::Turbulence::algebraic);

}  // namespace cli
