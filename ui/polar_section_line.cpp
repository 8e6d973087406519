// The polar window's section line: the section its polar belongs to, and
// whether the aerofoil window has moved on from it since.
#include "PolarWindow.h"

namespace {
const FXColor kStale = FXRGB(255, 0, 0);
}  // namespace

// The section as the line names it; the angle is not part of it (a polar
// takes its angles from its range).
std::string PolarWindow::sectionText(const aerofoil::SectionModel& section) {
  if (section.name().empty())
    return FXStringFormat("e/R1 = %g  h/R1 = %g  N = %d", section.inputs().eR1, section.inputs().hR1,
                          section.points())
        .text();
  return FXStringFormat("%s  N = %d", section.name().c_str(), section.points()).text();
}

void PolarWindow::showMainSection(const aerofoil::SectionModel& current) {
  mainSection_ = sectionText(current);
  showSectionLine();
}

// Compute computes the section handed over with the last open: once the
// aerofoil window shows another, the line turns red and says how to
// compute that one, as the boundary-layer window's does.  Short lines: the
// column of fields sets the line's width.
void PolarWindow::showSectionLine() {
  if (!model_) return;
  const std::string handed = sectionText(*model_);
  if (mainSection_.empty() || mainSection_ == handed) {
    sectionLabel->setText(handed.c_str());
    sectionLabel->setTextColor(getApp()->getForeColor());
  } else {
    sectionLabel->setText((handed + "\n(earlier section: press Ctrl-P\nin the main window to compute\n"
                                    "the current one)")
                              .c_str());
    sectionLabel->setTextColor(kStale);
  }
}
