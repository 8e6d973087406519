// What the viscous coupling asks of a boundary-layer method.
//
// The coupling knows the outer flow; the layer method knows the layer.
// Between them pass, in each sweep: the contour's surface speed in (split
// at the stagnation point into the two surfaces), the surfaces continued
// into their half-wakes with the interaction law of each (the mass defect
// of the sweep before and the thin-aerofoil law's coefficients) in; the
// march's edge velocity, displacement thickness and the rest of each node
// out, from which the coupling takes the new mass defect and the loads.
// A new layer method is a new implementation of this interface.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/interaction_law.h"
#include "core/status.h"
#include "core/surface.h"
#include "core/surface_result.h"
#include "core/turbulence_input.h"

namespace viscous {

// What one sweep marches on both surfaces (index bl::index(Surface):
// upper, lower).
struct LayerMarch {
  std::array<bl::SurfaceValues, 2> surfaces;      // the split surfaces continued by their half-wakes
  std::array<bl::InteractionLaw, 2> laws;         // each surface's interaction law
  std::array<bl::TurbulenceInput, 2> turbulence;  // what each closure takes from the other half-wake
  // The arc length at which each surface's transition is held (its
  // station from a few sweeps before, on this sweep's split), or none: the
  // transition where the user's parameters put it.
  std::array<std::optional<double>, 2> held_transition;
};

class LayerSolver {
 public:
  virtual ~LayerSolver() = default;

  // Points 0..n of the contour: arc length s, signed surface speed v and
  // place x, y; split at the stagnation point into the two surfaces.  A
  // refusal says why.
  virtual bl::Status split(const std::vector<double>& s, const std::vector<double>& v, int n,
                           const std::vector<double>& x, const std::vector<double>& y) = 0;
  // The surfaces of the last split, from the stagnation point to the
  // trailing edge.
  virtual const bl::SurfaceValues& split_surface(bl::Surface which) const = 0;

  // Both surfaces with their half-wakes, each with its interaction law;
  // with write_reports the march writes the layer's reports.  A failed
  // march keeps the results of the march before.
  virtual bl::Status march(const LayerMarch& m, bool write_reports) = 0;
  // The results of the last march, wake nodes included, with the
  // transition and inverse-mode positions it used.
  virtual bl::SurfaceResult result(bl::Surface which) const = 0;
  // Cautions of the last march that succeeded, one line each.
  virtual const std::vector<std::string>& cautions() const = 0;
  // The surface whose march failed last, if one did.
  virtual std::optional<bl::Surface> failed_surface() const = 0;

  // Whether the layer writes reports at all (a march asked for none writes
  // none either way).
  virtual bool writes_reports() const = 0;
  // Whether the user has asked the computation to stop.
  virtual bool cancel_requested() const = 0;
};

}  // namespace viscous
