// Scalars of the marching driver: where the march stands along
// the surface, how the current station is differenced in x, and the mode
// flags that switch transition and the inverse mode.  The finite-difference
// core reads the difference weights; the station models and the dumps read
// the counters.  The driver sets every member at the start of a pass or of
// a station; start values are zero.  They belong to the session: between
// passes they keep their last values (JUmax, for one, stays when every
// correction of a later iteration is zero).
#pragma once

namespace bl {

struct MarchState {
  // Streamwise backward difference at the current station P:
  //   dq/dx = c1*q(P-2) + c2*q(P-1) + c3*q(P)
  // two-point at the first marched station (c1 = 0), three-point for
  // unequal steps afterwards.  Unit: 1/length.
  double c1 = 0;  // weight of station P-2 (level 1 of the profiles)
  double c2 = 0;  // weight of station P-1 (level 2)
  double c3 = 0;  // weight of station P (level 3); non-zero for increasing x

  int NX = 0;        // index P of the station being computed
  int kIter = 0;     // Newton iterations done at the current station
  int kIterMax = 0;  // iteration count past which a station is accepted (20)
  double DUmax = 0;  // largest |du| of the last Newton iteration
  int JUmax = 0;     // grid point where it occurred

  int ninv = 0;  // 0 until the inverse mode is switched on, then that station
  int ktbl = 0;  // 1 while laminar, 2 from the first turbulent station on
  int NTR = 0;   // first turbulent station minus 2: start of the intermittency integral

  // Outer edge of the normal grid held at its capacity: 0 while the edge
  // growth has always found room, else the first station at which it had to
  // stop adding points.  Reset at the start of every pass.
  int edge_limited = 0;

  // What each surface's last pass ran into, kept for callers after both
  // passes (index isurf).
  struct SurfaceOutcome {
    int iteration_limited = 0;  // stations accepted at the Newton iteration limit
    int limited_at = 0;         // the first of them (0: none)
    int edge_limited_at = 0;    // station from which the outer edge was held (0: never)
    int transition_at = 0;      // first turbulent station (0: laminar to the end)
    int inverse_at = 0;         // first station of the inverse mode (0: never)
  } outcome[2];

  bool dumps_open = false;  // "NetFunc.out" and "Debug.out" opened by an upper pass
                            // of the current computation and not yet closed
};

}  // namespace bl
