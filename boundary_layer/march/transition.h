// Where the laminar march ends and where the inverse mode begins.
#pragma once

#include "core/farray.h"

namespace bl {

struct Pass;

// Natural transition by Michel's criterion with its low-Reynolds-number
// correction: the layer at station NS is turbulent when
//   Re_theta > 1.174 (1 + 22400/Re_x) Re_x^0.46
// (strictly).  Then XTR = x(NS); otherwise nothing changes.
void trans_check(Pass& p, int NS);

// Separation forecast at station NS, the station about to be computed.
// Cf^2 of stations NS-2 and NS-1 is extrapolated linearly in x to the point
// xs where Cf falls to m = CFSEP/SQRE; a forecast outside (x(NS-1), x(NS))
// is replaced by the current XINV.  If x(NS) lies beyond xs:
//   - while the layer is still laminar there (x(NS) <= XTR + 1e-6),
//     transition is forced at this station: XTR = x(NS);
//   - otherwise the rest of the surface goes over to the inverse mode with
//     the wall shear prescribed: cf_bc(NS..NXT) = CFSEP, XINV = xs,
//     ninv = NS; unless the inverse mode is not allowed (a march with the
//     interaction law, which carries the layer through separation).
void sep_check(int& ninv, double& XINV, double& XTR, int NS, int NXT,
               const Alloc1<double>& x, const Alloc1<double>& cfb, Alloc1<double>& cf_bc,
               double CFSEP, double SQRE, bool inverse_allowed = true);

}  // namespace bl
