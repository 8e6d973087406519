#include "plot_panels.h"

#include "aerofoil_plot.h"
#include "bl_plot.h"
#include "caption.h"

namespace cli {

int quantityCode(const std::string& name) {
  static const char* const names[] = {"cf", "d1", "d2", "h12"};
  static_assert(plot::kCf == 0 && plot::kD1 == 1 && plot::kD2 == 2 && plot::kH12 == 3);
  for (int q = 0; q < 4; ++q)
    if (name == names[q]) return q;
  return plot::kCf;
}

// A further picture is one more push_back.
std::vector<plot::SvgPanel> plotPanels(const aerofoil::Joukowski& af, const std::array<bl::SurfaceResult, 2>* surfaces,
                                       int quantity, const std::array<bl::SurfaceValues, 2>* bare, bl::Turbulence turbulence) {
  std::vector<plot::SvgPanel> panels;
  plot::PlotScale ps;
  const std::string section = plot::sectionCaption(af);
  panels.push_back(plot::captionPanel(section, kPlotWidth));
  panels.push_back({plot::aerofoilPicture(ps, af, kPlotWidth, kPlotHeight), kPlotWidth, kPlotHeight});
  if (!surfaces) return panels;
  plot::BlPlotState st;
  for (bl::Surface which : bl::kBothSurfaces) {
    st.update(which, (*surfaces)[static_cast<std::size_t>(bl::index(which))]);
    if (bare) st.bare[bl::index(which)] = (*bare)[static_cast<std::size_t>(bl::index(which))];
  }
  for (bl::Surface which : bl::kBothSurfaces) {
    st.surface = which;
    st.quantity[bl::index(which)] = quantity;
    panels.push_back(plot::captionPanel(
        plot::surfaceCaption(section, which) + plot::turbulenceNote(turbulence), kPlotWidth));
    panels.push_back({plot::edgeVelocityPlot(st, kPlotWidth, kBlPlotHeight), kPlotWidth, kBlPlotHeight});
    panels.push_back({plot::quantityPlot(st, kPlotWidth, kBlPlotHeight), kPlotWidth, kBlPlotHeight});
  }
  return panels;
}

}  // namespace cli
