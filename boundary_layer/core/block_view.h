// The small blocks of the Newton system seen in place.
//
// Every grid point j owns one NEQ x NEQ block of each matrix array of the
// core (first index the row, second the column, stored column by column)
// and one NEQ-vector of each vector array.  NEQ is 3 (the corrections of
// f, u and v), a property of the equations rather than of the data, so the
// views fix it at compile time: the loops over a block's rows and columns
// unroll, and an element costs one load instead of a run-time index
// computation.  A view copies nothing; it is the array's own storage.
#pragma once

#include <cassert>
#include <type_traits>
#include <utility>

#include "core/farray.h"

namespace bl {

constexpr int kNeq = 3;  // unknowns per grid point: corrections of f, u, v

// Square block of order N, indices (1..N, 1..N), first index fastest.
template <class T, int N = kNeq>
class BlockView {
  T* p_;

 public:
  explicit BlockView(T* first) : p_(first) {}
  T& operator()(int r, int c) const {
    assert(1 <= r && r <= N && 1 <= c && c <= N);
    return p_[(r - 1) + N * (c - 1)];
  }
};

// Vector of length N, indices 1..N.
template <class T, int N = kNeq>
class VecView {
  T* p_;

 public:
  explicit VecView(T* first) : p_(first) {}
  T& operator()(int r) const {
    assert(1 <= r && r <= N);
    return p_[r - 1];
  }
};

// Block j of a matrix array allocated with NEQ x NEQ blocks.
inline BlockView<double> block(Alloc3<double>& a, int j) {
  assert(&a(kNeq, kNeq, j) == &a(1, 1, j) + (kNeq * kNeq - 1));
  return BlockView<double>(&a(1, 1, j));
}

// All the blocks (or vectors) of one array, grid point by grid point, from
// a pointer taken once: a loop over the grid then indexes with j alone
// instead of recomputing the element offset from the array's extents at
// every access.
template <class T>
class Blocks {
  T* p_;

 public:
  template <class A>
  explicit Blocks(A& a) : p_(&a(1, 1, 1)) {
    assert(&a(kNeq, kNeq, 2) == p_ + (2 * kNeq * kNeq - 1));
  }
  BlockView<T> operator[](int j) const { return BlockView<T>(p_ + kNeq * kNeq * (j - 1)); }
};
template <class A>
Blocks(A&) -> Blocks<std::remove_reference_t<decltype(std::declval<A&>()(1, 1, 1))>>;

template <class T>
class Vectors {
  T* p_;

 public:
  template <class A>
  explicit Vectors(A& a) : p_(&a(1, 1)) {
    assert(a.size1() == kNeq);
  }
  VecView<T> operator[](int j) const { return VecView<T>(p_ + kNeq * (j - 1)); }
};
template <class A>
Vectors(A&) -> Vectors<std::remove_reference_t<decltype(std::declval<A&>()(1, 1))>>;

}  // namespace bl
