#include "setup/solver_scalars.h"

namespace bl {

SolverData sd;

}  // namespace bl
