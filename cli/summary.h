// What one run computed, gathered for the printed lines and the JSON summary.
#pragma once

#include <string>
#include <vector>

#include "joukowski.h"
#include "options.h"
#include "session/session.h"

namespace cli {

// Results of one boundary-layer pass, named for the printed lines.
struct SurfaceResult : bl::SurfaceResult {
  std::string name;  // "upper", "lower" or "surface"

  SurfaceResult(std::string n, bl::SurfaceResult r) : bl::SurfaceResult(std::move(r)), name(std::move(n)) {}
  double thetaTe() const { return d2.empty() ? 0.0 : d2.back(); }
  double hTe() const { return h12.empty() ? 0.0 : h12.back(); }
  double ueTe() const { return ue.empty() ? 0.0 : ue.back(); }
};

// Squire-Young estimate of the profile drag from the trailing-edge state of
// each surface: Cd = sum 2 theta_te ue_te^((H_te + 5)/2).  The formula holds
// for a wake of positive momentum thickness leaving at a positive edge
// velocity; for any other trailing-edge state (a march driven far outside
// its range can end there) there is no estimate: the result is NaN and why,
// when given, says which surface and value stand in the way.
double squireYoung(const std::vector<SurfaceResult>& surfaces, std::string* why = nullptr);

// Machine-readable summary of a run.
struct Summary {
  const Options* options = nullptr;
  const aerofoil::Joukowski* aerofoil = nullptr;  // null for --surface
  std::vector<SurfaceResult> surfaces;
  std::vector<std::string> warnings;
};

// Writes the summary as JSON to path ("-": standard output).  Returns false
// with a reason when the file cannot be written.
bool writeJson(const Summary& sum, const std::string& path, std::string& why);

// Warnings that a user should see for these results: non-finite values and
// limits that were hit.
void collectWarnings(Summary& sum);

}  // namespace cli
