// Drag of a section from its boundary layer and wake.
#pragma once

#include "session/session.h"

namespace viscous {

// The momentum defect a layer of momentum thickness theta, edge velocity
// ue and shape factor H carries to infinity, as a drag coefficient (Squire
// and Young):
//   Cd = 2 theta ue^((H + 5)/2),
// which continues the wake's momentum balance, d(ln theta)/d(ln ue) =
// -(H + 2) with H falling linearly with ln ue, to where ue = 1 and H = 1.
double squire_young(double theta, double ue, double h);

// Squire and Young from a half-wake's last node.
double wake_drag(const bl::SurfaceResult& r);

// The skin friction along the wall nodes of a surface as a drag
// coefficient: the wall shear tau = cf ue^2 (per free-stream dynamic
// pressure) times the cosine between the surface's flow direction and the
// free stream (at alphaDeg to the chord), integrated over the arc length.
double friction_drag(const bl::SurfaceValues& v, const bl::SurfaceResult& r, double alphaDeg);

}  // namespace viscous
