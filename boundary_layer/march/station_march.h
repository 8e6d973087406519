// One station of the march: its models, its Newton iterations and its
// results, and the dumps of the stations selected for them.
#pragma once

#include "core/box_scheme.h"
#include "core/status.h"
#include "core/surface_result.h"

namespace bl {

struct Pass;

// The system of station P as the pass holds it: its profiles and core
// arrays, the difference weights and the state of station P; the edge
// velocity prescribed up to XINV, the momentum balance of the edge beyond.
StationSystem station_system(Pass& p, int P);

// Station P: the Newton iterations, again after every growth of the grid,
// then the integral quantities, the report row, the results into node P of
// `result` and the first guess of the next station.  A station that fails
// (a singular system, numbers that are not finite) leaves node P and
// beyond as they were and says why.
Status march_station(Pass& p, int P, SurfaceResult& result);

// The profiles of stations 2 and 3 held for "NetFunc.out", written with the
// iteration count of the pass before (waiting for it if that pass still
// runs).  Every later dump of the pass comes after them.
void flush_start_dumps(Pass& p);

}  // namespace bl
