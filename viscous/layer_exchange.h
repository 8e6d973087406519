// What passes between the outer flow and the layer in a sweep: the split
// surfaces continued into the wake, each surface's interaction law from
// the mass defect of the sweep before, and the mass defect the march
// leaves, back on the contour and in the wake.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "layer_solver.h"
#include "outer_flow.h"
#include "trailing_streamline.h"
#include "viscous_analysis.h"

namespace viscous {

// The surface of the split, wall, continued along the trailing
// streamline with the outer flow's speed there.
bl::SurfaceValues with_wake(const bl::SurfaceValues& wall, const aerofoil::Streamline& line,
                            const aerofoil::OuterSolution& flow);

// The interaction law of surface v (side) from the state of the sweep
// before; the other half-wake's displacement into `turbulence`.
bl::InteractionLaw law_for(const bl::SurfaceValues& v, bl::Surface side, const State& before, bool hold,
                           bl::TurbulenceInput& turbulence, bool transition_free = false);

// The mass defect and normal grid a march (r on v) leaves, into out.
void take_defect(const bl::SurfaceValues& v, const bl::SurfaceResult& r, bl::Surface side, State& out);

// Source flux of each of the wake's panels.
std::vector<double> wake_fluxes(const State& st, int panels);

// x moved the share omega of the way to target.
void relax(std::vector<double>& x, const std::vector<double>& target, double omega);

// The contour point of a surface's first turbulent station, or -1.
int transition_point(const bl::SurfaceValues& v, const bl::SurfaceResult& r);

// The arc length of each held transition's contour point on the layer's
// present split.
std::array<std::optional<double>, 2> held_arc_lengths(const LayerSolver& layer, const int (&held)[2]);

// Why a sweep's displaced flow cannot be marched: it runs backwards behind
// the stagnation point; ok otherwise.
bl::Status reversed_flow(const std::array<bl::SurfaceValues, 2>& values);

}  // namespace viscous
