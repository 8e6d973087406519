// The aerofoil window's choice of section: the Section menu (Joukowski,
// Karman-Trefftz..., NACA...) and File > Open section... for a coordinate
// file.  A choice that cannot be made (a designation or a file refused, an
// outline that cannot be mapped) says why and changes nothing.
#include <cmath>
#include <cstdlib>

#include "BlCalc_2D.h"
#include "Veltaro.h"
#include "checked_spinner.h"
#include "plot_widgets.h"

namespace {
const char* const kJoukowskiTitle = "Joukowski Aerofoil";
constexpr std::size_t kShownName = 28;  // characters of a section's name shown above the inputs

// A number typed into a dialog: the whole text one finite number.
bool readNumber(const FXString& text, double& value) {
  const char* begin = text.text();
  char* end = nullptr;
  value = std::strtod(begin, &end);
  while (end && (*end == ' ' || *end == '\t')) ++end;
  return end != begin && end && *end == '\0' && std::isfinite(value);
}
}  // namespace

long Veltaro::onCmdSectionKind(FXObject*, FXSelector sel, void*) {
  aerofoil::SectionInputs kind;
  switch (FXSELID(sel)) {
    case ID_SECTION_JOUKOWSKI:
      kind.kind = aerofoil::SectionKind::joukowski;
      break;
    case ID_SECTION_KT: {
      FXString text = FXStringVal(section_.inputs().teAngleDeg);
      const FXString label = FXStringFormat("Trailing-edge angle in degrees (0..%g; 0 is Joukowski's section):",
                                            aerofoil::kMaxTrailingEdgeAngle);
      if (!FXInputDialog::getString(text, this, "Karman-Trefftz section", label)) return 1;
      double angle = 0.0;
      if (!readNumber(text, angle) || angle < 0.0 || angle > aerofoil::kMaxTrailingEdgeAngle) {
        FXMessageBox::error(this, MBOX_OK, "Karman-Trefftz section",
                            "Trailing-edge angle: \"%s\" is not a number from 0 to %g degrees. The section is "
                            "as it was.",
                            text.text(), aerofoil::kMaxTrailingEdgeAngle);
        return 1;
      }
      kind.kind = aerofoil::SectionKind::karmanTrefftz;
      kind.teAngleDeg = angle;
      break;
    }
    case ID_SECTION_NACA: {
      FXString text(section_.inputs().naca.empty() ? "0012" : section_.inputs().naca.c_str());
      if (!FXInputDialog::getString(text, this, "NACA section",
                                    "Four- or five-digit designation (0012, 2412, 23012):"))
        return 1;
      kind.kind = aerofoil::SectionKind::naca;
      kind.naca = text.text();
      break;
    }
    default: {  // File > Open section...
      const FXString path = FXFileDialog::getOpenFilename(this, "Open section", "",
                                                          "Coordinate files (*.dat,*.txt)\nAll files (*)");
      if (path.empty()) return 1;
      kind.kind = aerofoil::SectionKind::coordinates;
      kind.coordinates = path.text();
      break;
    }
  }
  chooseSection(kind);
  return 1;
}

void Veltaro::chooseSection(const aerofoil::SectionInputs& kind) {
  std::string why;
  if (!section_.choose(kind, eSpinner->getValue(), hSpinner->getValue(), aerofoil::clampPoints(requestedN), why)) {
    FXMessageBox::error(this, MBOX_OK, "Section", "%s\n\nThe section is as it was.", why.c_str());
    return;
  }
  showSectionKind();
  recompute();
  // What was done to the user's outline to make it a section.
  std::string said;
  for (const std::string& note : section_.shared()->notes()) said += (said.empty() ? "" : "\n\n") + note;
  if (!said.empty() && kind.kind == aerofoil::SectionKind::coordinates)
    FXMessageBox::information(this, MBOX_OK, "Open section", "%s", said.c_str());
}

void Veltaro::showSectionKind() {
  const bool joukowski = section_.kind() == aerofoil::SectionKind::joukowski;
  const std::string& name = section_.shared()->name();
  for (CheckedSpinner* s : {eSpinner, hSpinner, delEHSpinner})
    section_.usesThicknessAndCamber() ? s->enable() : s->disable();
  if (joukowski) {
    sectionName->hide();
    setTitle(kJoukowskiTitle);
  } else {
    // A long name (a coordinate file's name line) is cut to the column's
    // width; its tip gives it whole.
    const std::string shown = name.size() > kShownName ? name.substr(0, kShownName - 3) + "..." : name;
    sectionName->setText(("Section: " + shown).c_str());
    sectionName->setTipText(name.c_str());
    sectionName->show();
    setTitle(("Aerofoil: " + name).c_str());
  }
  // Joukowski's thickness is the closed-form half thickness of its
  // symmetric section; another section's, its largest thickness per chord.
  thicknessLabel->setText(joukowski ? "MaxTh(sym)=" : "Thickness=");
  // The name's line needs room: the window grows to what its column needs.
  recalc();
  if (getHeight() < getDefaultHeight()) resize(getWidth(), getDefaultHeight());
}

long Veltaro::onUpdSectionKind(FXObject* sender, FXSelector sel, void*) {
  aerofoil::SectionKind kind = aerofoil::SectionKind::joukowski;
  if (FXSELID(sel) == ID_SECTION_KT) kind = aerofoil::SectionKind::karmanTrefftz;
  if (FXSELID(sel) == ID_SECTION_NACA) kind = aerofoil::SectionKind::naca;
  // A Karman-Trefftz section of no angle is Joukowski's.
  const bool chosen = section_.kind() == kind;
  sender->handle(this, FXSEL(SEL_COMMAND, chosen ? ID_CHECK : ID_UNCHECK), nullptr);
  return 1;
}
