// A saved picture takes the size asked for, not the canvas's, with its
// caption whole however narrow the picture.
#include <gtest/gtest.h>

#include "../aerofoil/solved_section.h"
#include "caption.h"
#include "canvas_texts.h"
#include "saved_picture.h"

TEST(SavedPicture, TakesTheSizeAskedAndTheWholeCaption) {
  // The polar window's canvas was 480 x 383: its caption, 103 characters,
  // now runs over two lines, every word kept.
  const plot::PolarSetup setup{"", 0.131, 0.0, 256, 10.0, false, 0.02, 0.03, 41, true, 0.05, 0.05, true};
  const std::vector<plot::SvgPanel> polar = plot::polarPictureToSave({}, -4, 16, {}, setup, 480, 383);
  ASSERT_EQ(polar.size(), 2u);
  EXPECT_EQ(polar[0].height + polar[1].height, 383);
  EXPECT_EQ(polar[1].width, 480);
  std::string whole;
  int lines = 0;
  for (const plot::Primitive& p : polar[0].drawing)
    if (p.kind == plot::Primitive::Text) whole += (lines++ ? " " : "") + p.text;
  EXPECT_EQ(whole, plot::polarCaption(setup));
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(polar[0].height, plot::kCaptionHeight + plot::kCaptionLineHeight);
  expectTextsInside(polar[0].drawing, 480, polar[0].height);
  expectTextsApart(polar[0].drawing, 480, polar[0].height);

  // A large picture of the aerofoil: the plot fills all below its caption.
  const std::vector<plot::SvgPanel> big = plot::aerofoilPictureToSave(solved(12.0, 0.131, 0.0), 2400, 1800);
  ASSERT_EQ(big.size(), 2u);
  EXPECT_EQ(big[1].height, 1800 - plot::kCaptionHeight);
  EXPECT_EQ(big[1].drawing.front().x2, 2400);
  EXPECT_EQ(big[1].drawing.front().y2, 1800 - plot::kCaptionHeight);
}

// A picture names the closure of its turbulent layers unless it is the
// algebraic one, whose pictures read as before; a kept polar of the other
// model says so in the legend.
TEST(SavedPicture, CaptionNamesTheTurbulenceModel) {
  plot::PolarSetup setup{"", 0.131, 0.0, 256, 10.0, false, 0.02, 0.03, 41, false, 0.05, 0.05, true};
  const std::string algebraic = plot::polarCaption(setup);
  EXPECT_EQ(algebraic.find("urbulence"), std::string::npos) << algebraic;
  plot::PolarSetup sa = setup;
  sa.turbulence = bl::Turbulence::spalart_allmaras;
  EXPECT_EQ(plot::polarCaption(sa), algebraic + "; turbulence model Spalart-Allmaras");
  EXPECT_EQ(plot::keptLabel(sa, setup), "Spalart-Allmaras");
  EXPECT_EQ(plot::keptLabel(setup, sa), "algebraic eddy viscosity");
  EXPECT_EQ(plot::surfaceCaption("Section: NACA 0012, alpha 4, N 256", bl::Surface::upper) +
                plot::turbulenceNote(bl::Turbulence::spalart_allmaras),
            "Section: NACA 0012, alpha 4, N 256; upper surface; turbulence model Spalart-Allmaras");
}
