#include "section_model.h"

#include <charconv>
#include <cmath>

#include "constants.h"
#include "karman_trefftz_map.h"
#include "mapped_section.h"
#include "naca_section.h"
#include "numerical_map.h"
#include "section_file.h"
#include "section_measures.h"

namespace aerofoil {

namespace {

using constants::kPi;

// Shortest decimal text that reads back as the same double.
std::string shortest(double v) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v + 0.0);
  return std::string(buf, res.ptr);
}

// The closed-form Joukowski section: the window's own solve, as it always was.
class JoukowskiSection final : public SectionModel {
 public:
  JoukowskiSection(const SectionInputs& in, int n) : n_(n) {
    inputs_ = in;
    inputs_.n = n;
  }
  void solve(double alphaDeg, Joukowski& af) const override {
    if (af.currentN != n_) resizePoints(af, n_);
    solveSection(af, alphaDeg, inputs_.eR1, inputs_.hR1);
    af.name.clear();
    af.map.reset();
    af.circleAngle.clear();
  }
  std::shared_ptr<const SectionModel> withPoints(int n) const override {
    return std::make_shared<JoukowskiSection>(inputs_, n);
  }
  int points() const override { return n_; }

 private:
  int n_;
};

// What a mapped section shares between its numbers of contour intervals:
// the map and the section's measures, found once.
struct SharedMap {
  std::shared_ptr<const SectionMap> map;
  SectionMeasures measures;
};

// Any section through its conformal map.
class MappedModel final : public SectionModel {
 public:
  MappedModel(const SectionInputs& in, std::string name, std::vector<std::string> notes,
              std::shared_ptr<const SharedMap> shared, int n)
      : shared_(std::move(shared)), section_(shared_->map, shared_->measures, n) {
    inputs_ = in;
    inputs_.n = n;
    name_ = std::move(name);
    notes_ = std::move(notes);
  }
  void solve(double alphaDeg, Joukowski& af) const override {
    section_.solve(alphaDeg, af);
    af.eR1 = inputs_.eR1;
    af.hR1 = inputs_.hR1;
    af.name = name_;
  }
  std::shared_ptr<const SectionModel> withPoints(int n) const override {
    return std::make_shared<MappedModel>(inputs_, name_, notes_, shared_, n);
  }
  int points() const override { return section_.points(); }

 private:
  std::shared_ptr<const SharedMap> shared_;
  MappedSection section_;
};

std::shared_ptr<const SharedMap> share(std::shared_ptr<const SectionMap> map) {
  auto shared = std::make_shared<SharedMap>();
  shared->measures = measureSection(*map);
  shared->map = std::move(map);
  return shared;
}

}  // namespace

std::shared_ptr<const SectionModel> makeSection(const SectionInputs& in, std::string& why) {
  const int n = clampPoints(in.n);
  switch (in.kind) {
    case SectionKind::joukowski:
      return std::make_shared<JoukowskiSection>(in, n);
    case SectionKind::karmanTrefftz: {
      if (!(in.teAngleDeg >= 0.0 && in.teAngleDeg <= kMaxTrailingEdgeAngle)) {
        why = "the trailing-edge angle must lie in 0.." + shortest(kMaxTrailingEdgeAngle) + " degrees";
        return nullptr;
      }
      // At a zero angle the Karman-Trefftz map is Joukowski's: the closed form.
      if (in.teAngleDeg == 0.0) return std::make_shared<JoukowskiSection>(in, n);
      if (in.eR1 <= 0.0) {
        why = "a Karman-Trefftz section with a trailing-edge angle needs a thickness e/R1 above 0";
        return nullptr;
      }
      const std::string name = "Karman-Trefftz aerofoil e/R1=" + shortest(in.eR1) + " h/R1=" + shortest(in.hR1) +
                               " tau=" + shortest(in.teAngleDeg);
      auto map = std::make_shared<KarmanTrefftzMap>(in.eR1, in.hR1, in.teAngleDeg * kPi / 180.0);
      return std::make_shared<MappedModel>(in, name, std::vector<std::string>{}, share(map), n);
    }
    case SectionKind::naca:
    case SectionKind::coordinates: {
      SectionOutline outline;
      const bool read = in.kind == SectionKind::naca ? nacaSection(in.naca, outline, why)
                                                     : readSectionFile(in.coordinates, outline, why);
      if (!read) return nullptr;
      std::string problem;
      auto map = NumericalMap::build(*outline.shape, problem);
      if (!map) {
        why = outline.name + ": " + problem;
        return nullptr;
      }
      return std::make_shared<MappedModel>(in, outline.name, outline.notes, share(map), n);
    }
  }
  why = "unknown kind of section";
  return nullptr;
}

}  // namespace aerofoil
