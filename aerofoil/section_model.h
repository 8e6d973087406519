// A section as the program solves it: what the windows, the command line
// and the polar ask of the section behind the outer flow, whatever its kind.
//
// A model is immutable once made (one serves every worker of a polar) and
// belongs to one number of contour intervals N; withPoints gives the same
// section at another N, sharing the costly part (a numerical map).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "joukowski.h"

namespace aerofoil {

class SectionModel {
 public:
  virtual ~SectionModel() = default;

  // The solution at incidence alphaDeg: every point array and integral
  // characteristic of af, at the model's N.
  virtual void solve(double alphaDeg, Joukowski& af) const = 0;
  // The same section at n contour intervals.
  virtual std::shared_ptr<const SectionModel> withPoints(int n) const = 0;
  virtual int points() const = 0;

  const SectionInputs& inputs() const { return inputs_; }
  // What the results name the section by: "NACA 4412", a coordinate file's
  // name line, "Karman-Trefftz aerofoil e/R1=0.1 h/R1=0.05 tau=10"; the
  // closed-form Joukowski section has none (its outputs name it as always,
  // by e/R1 and h/R1).
  const std::string& name() const { return name_; }
  // What was done to the user's input to make it a section, a sentence each
  // ("2 repeated points dropped (lines 40, 41)").
  const std::vector<std::string>& notes() const { return notes_; }

 protected:
  SectionInputs inputs_;
  std::string name_;
  std::vector<std::string> notes_;
};

// The largest trailing-edge angle of a Karman-Trefftz section, degrees.
constexpr double kMaxTrailingEdgeAngle = 60.0;

// The section the inputs name at N = in.n held to kMinPoints..kMaxPoints as
// the window holds it; null, with the reason in why (a sentence for the
// user: a bad designation, a file that cannot be read, an outline that
// cannot be mapped).
std::shared_ptr<const SectionModel> makeSection(const SectionInputs& in, std::string& why);

}  // namespace aerofoil
