// The caption line above a saved picture: what the picture shows, so that
// a picture found a month later still names its section (and, for the
// boundary-layer plots, its surface).
#pragma once

#include <string>
#include <vector>

#include "axis_labels.h"
#include "core/parameters.h"
#include "core/surface.h"
#include "joukowski.h"
#include "kept_polars.h"
#include "svg.h"

namespace plot {

// Height of the caption band in pixels: one line of text with a margin;
// each further line of a wrapped caption adds kCaptionLineHeight.
constexpr int kCaptionHeight = kTextAscent + kTextDescent + 8;
constexpr int kCaptionLineHeight = kTextAscent + kTextDescent + 2;

// "Section: alpha 12, e/R1 0.131, h/R1 0, N 256", the inputs as given.
std::string sectionCaption(double alphaDeg, double eR1, double hR1, int n);

// "Section: NACA 4412, alpha 4, N 256": a section other than Joukowski's by its name.
std::string sectionCaption(const std::string& name, double alphaDeg, int n);

// The section of the aerofoil window as one of the two above: by its name
// when it has one.
std::string sectionCaption(const aerofoil::Joukowski& af);

// What a caption adds for the closure of the turbulent layer: nothing for
// the default (algebraic) one, else "; turbulence model Spalart-Allmaras",
// so that the pictures of the default computation read as they always have.
std::string turbulenceNote(bl::Turbulence model);

// The caption of a boundary-layer plot: the section, then the surface.
std::string surfaceCaption(const std::string& section, bl::Surface which);

// The caption of a polar: its section and what its boundary layer was
// computed with, "Section: e/R1 0.131, h/R1 0, N 256; Re(mill) 10,
// Str u 0.05, Str l 0.05, Np 31" ("free transition" or "trip at x/c 0.05
// (upper), 0.05 (lower)" for the positions), then "; viscous" for a
// viscous polar and the turbulence model's note (turbulenceNote).
std::string polarCaption(const PolarSetup& setup);

// The caption as a panel `width` pixels wide to stack above a picture:
// the text in black on white, from the left margin, whole: where it is
// wider than the panel it goes on in further lines, broken after a "; " or
// a ", " (so that "Np 31" stays together), a word that is wider still
// after a blank, and the panel grows to hold them.
SvgPanel captionPanel(const std::string& text, int width);

// The caption's lines for a panel `width` pixels wide.
std::vector<std::string> captionLines(const std::string& text, int width);

}  // namespace plot
