// Capacity of the normal grid across the boundary layer.
#pragma once

namespace bl {

// Points across the layer, including those the edge growth may add during
// the march.
constexpr int kMaxGridPoints = 821;

}  // namespace bl
