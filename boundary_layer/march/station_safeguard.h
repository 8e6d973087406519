// A station that plain Newton iteration cannot solve, solved again with a
// safeguarded iteration.
//
// Plain Newton iteration converges at almost every station of the march in
// a few steps.  Close to the trailing edge, where the stations crowd and
// the flow decelerates, and where a thin section's layer separates behind
// the leading edge, it can break down: a correction that is not a finite
// number, a singular pivot block, or corrections that still swing at the
// iteration limit.  The station is then started again from the previous
// station's converged profile u0 and followed along the homotopy
//
//   E(u) - (1 - s) E(u0) = 0,   s from 0 to 1,
//
// E the station's equations (the box, wall and edge rows of its
// StationSystem, assembled by the core exactly as for a Newton iteration,
// and the condition that fixes a free edge velocity: the prescribed wall
// shear of the inverse mode, the interaction law, or zero edge shear at
// the last station): at
// s = 0 the first guess solves it, at s = 1 it is the station's own
// problem.  Each stretch of s
// is solved by damped Newton iteration, each full correction shortened
// until the residual falls (a backtracking line search) and to at most a
// tenth of the edge velocity, and a stretch that does not converge is
// halved.  So the solution found is the one joined to the previous
// station's profile, not another that a long Newton step can land on.
//
// A station of the direct mode on the wall past transition (in a march
// without the interaction law) that not even this solves lies past
// separation (the separation forecast of the station before
// missed it): with the edge velocity prescribed there is no solution near
// the previous profile.  The inverse mode then starts at this station, as
// the separation switch would have started it at the next, and the
// station is solved again in that mode.
//
// A station is done when the full Newton correction has fallen to the
// tolerance of every station, so a safeguarded station is as converged as
// the others.  Where even this does not converge, the station is left as
// plain Newton iteration left it.  None of this runs where plain Newton
// iteration converges, so every such station keeps every digit.
#pragma once

namespace bl {

struct Pass;

// Solves station P again, whose plain Newton iteration broke down or ended
// at the iteration limit short of the tolerance, and says in the march
// report how it went.  True when it converged: the station then holds the
// solution, ms.DUmax and ms.JUmax the last correction, ms.kIter the plain
// and safeguarded iterations together.  False when it did not: the
// station, the inverse-mode switch and the counters are as plain Newton
// iteration left them.
bool safeguard_station(Pass& p, int P);

// The last resort of a march coupled by the interaction law, where station
// P could not be solved at all (a singular system, or an edge velocity that
// no longer answers the law, in a wake behind a section past stall): the
// layer of station P-1 carried on to P, so that the coupling still has a
// layer to work on and the surface its results, the station counted as
// not converged; said in the march report.
void carry_previous_station(Pass& p, int P);

}  // namespace bl
