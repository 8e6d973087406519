#include "section_choice.h"

SectionChoice::SectionChoice() {
  std::string why;
  model_ = aerofoil::makeSection(in_, why);
}

const aerofoil::SectionModel& SectionChoice::model(double eR1, double hR1, int n, std::string& why) {
  const bool shapeMoved = usesThicknessAndCamber() && (eR1 != in_.eR1 || hR1 != in_.hR1);
  if (!shapeMoved && n == in_.n) return *model_;
  if (!shapeMoved) {
    // The same outline at another N: its map is kept.
    model_ = model_->withPoints(n);
    in_.n = n;
    return *model_;
  }
  aerofoil::SectionInputs next = in_;
  next.eR1 = eR1;
  next.hR1 = hR1;
  next.n = n;
  if (auto made = aerofoil::makeSection(next, why)) {
    model_ = std::move(made);
    in_ = next;
  }
  return *model_;
}

bool SectionChoice::choose(const aerofoil::SectionInputs& kind, double eR1, double hR1, int n, std::string& why) {
  aerofoil::SectionInputs next = kind;
  next.eR1 = eR1;
  next.hR1 = hR1;
  next.n = n;
  auto made = aerofoil::makeSection(next, why);
  if (!made) return false;
  model_ = std::move(made);
  in_ = next;
  return true;
}
