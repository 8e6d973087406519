#include "solver_data.h"

namespace bl {

SolverData sd;

}  // namespace bl
