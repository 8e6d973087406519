// What one run computed, gathered for the printed lines and the JSON summary.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "drag_estimate.h"
#include "flow_field.h"
#include "joukowski.h"
#include "options.h"
#include "polar.h"
#include "viscous_analysis.h"

namespace cli {

// Results of one boundary-layer pass, named for the printed lines.
using SurfaceResult = polar::NamedSurface;
using polar::squireYoung;

// Why a run failed and where, for the JSON of a run that exits with code 1.
struct Failure {
  std::string stage = {};    // "boundary layer", "viscous analysis" or "files"
  std::string message = {};  // as printed on standard error
  std::string surface = {};  // the surface whose pass failed ("upper", "lower"), or empty
  int sweep = 0;        // the sweep of the viscous analysis that failed, or 0
  bool cancelled = false;  // stopped by the user, not by the computation
};

// Machine-readable summary of a run.
struct Summary {
  const Options* options = nullptr;
  const aerofoil::Joukowski* aerofoil = nullptr;  // null for --surface
  std::vector<SurfaceResult> surfaces;
  std::vector<std::string> warnings;
  const viscous::Result* viscous = nullptr;     // with --viscous, once the analysis has run
  const aerofoil::FieldValue* probe = nullptr;  // with --probe, at options->probe_x, probe_y
  std::optional<Failure> failure = {};          // the run failed: the JSON says so instead of pretending
};

// The section the inputs chose, when it is not the Joukowski section: its
// kind, what names it (trailing-edge angle, designation, file) and, from a
// solution, its name.
nlohmann::json sectionJson(const aerofoil::SectionInputs& s, const aerofoil::Joukowski* af);

// Writes the summary as JSON to path ("-": standard output), with the
// failure when there is one: a failed run's summary is a complete record of
// what was computed, and of where and why it stopped.  Returns false with a
// reason when the file cannot be written.
bool writeJson(const Summary& sum, const std::string& path, std::string& why);

// One row of a polar as a JSON object: the same numbers as the table, the
// positions that do not occur on a surface as null, and per surface the
// trip's x/c when the parameters give the transition that way.
nlohmann::json polarJson(const polar::Point& p, bool boundary_layer, const bl::ComputationParameters& params);

// Text into path, a file replaced whole or not at all; false with a reason
// when it cannot be written.  "-" is standard output, whose failure the run
// finds at its end.
bool writeJsonText(const std::string& text, const std::string& path, std::string& why);

// Warnings that a user should see for these results: non-finite values and
// limits that were hit.
void collectWarnings(Summary& sum);

}  // namespace cli
