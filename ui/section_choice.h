// The section the aerofoil window solves: the kind chosen from its Section
// menu (or File > Open section...), and the model made of it at the
// window's inputs, remade only when what it depends on changes (the
// numerical map of an outline is found once, when the section is chosen).
#pragma once

#include <memory>
#include <string>

#include "section_model.h"

class SectionChoice {
 public:
  SectionChoice();

  // The model at these inputs: e/R1 and h/R1 count for the Joukowski and
  // the Karman-Trefftz sections only.  The last good model stays when a
  // Karman-Trefftz section cannot be made of them (then why says so).
  const aerofoil::SectionModel& model(double eR1, double hR1, int n, std::string& why);
  std::shared_ptr<const aerofoil::SectionModel> shared() const { return model_; }

  // Another kind of section (`kind` and what names it: the trailing-edge
  // angle, the NACA designation, the file), made at once at these inputs;
  // on failure nothing changes and why says it.
  bool choose(const aerofoil::SectionInputs& kind, double eR1, double hR1, int n, std::string& why);

  aerofoil::SectionKind kind() const { return in_.kind; }
  // Whether e/R1 and h/R1 shape the section.
  bool usesThicknessAndCamber() const {
    return in_.kind == aerofoil::SectionKind::joukowski || in_.kind == aerofoil::SectionKind::karmanTrefftz;
  }
  const aerofoil::SectionInputs& inputs() const { return in_; }

 private:
  aerofoil::SectionInputs in_;
  std::shared_ptr<const aerofoil::SectionModel> model_;
};
