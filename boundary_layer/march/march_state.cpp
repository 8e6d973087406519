#include "march/march_state.h"

namespace bl {

MarchState ms;

}  // namespace bl
