// Library cases of the sweep: the boundary-layer library handed raw data.
#pragma once

#include <string>

#include "sweep_cases.h"
#include "sweep_checks.h"

namespace sweep {

// Runs c with every report file in folder; adds a line to problems for
// each rule broken.
void runLibraryCase(const LibCase& c, const std::string& folder, Problems& problems);

}  // namespace sweep
