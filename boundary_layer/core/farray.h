// Arrays indexed the way the numerical routines count: from 1, first index
// running fastest.  Every access goes through operator(), which checks the
// bounds in debug builds, so no routine ever writes an index shift by hand.
#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

namespace bl {

// Run-time sized arrays, 1-based in every index, allocated per pass.
// allocate() zero-fills: elements read before the march writes them have
// the defined value 0, whatever the previous pass left behind.  release()
// empties the array but keeps its storage for the next pass, so that a run
// of passes does not return pages to the system and fault them in again.
template <class T>
class Alloc1 {
  std::vector<T> a_;

 public:
  void allocate(int n) { a_.assign(static_cast<std::size_t>(n), T{}); }
  // Room for indices up to n, the new elements zero, the others kept.
  void extend(int n) {
    if (n > size()) a_.resize(static_cast<std::size_t>(n), T{});
  }
  void release() { a_.clear(); }
  bool allocated() const { return !a_.empty(); }
  int size() const { return static_cast<int>(a_.size()); }
  T& operator()(int i) {
    assert(1 <= i && i <= size());
    return a_[static_cast<std::size_t>(i - 1)];
  }
  const T& operator()(int i) const {
    assert(1 <= i && i <= size());
    return a_[static_cast<std::size_t>(i - 1)];
  }
};

template <class T>
class Alloc2 {
  std::vector<T> a_;
  int n1_ = 0, n2_ = 0;

 public:
  void allocate(int n1, int n2) {
    n1_ = n1;
    n2_ = n2;
    a_.assign(static_cast<std::size_t>(n1) * static_cast<std::size_t>(n2), T{});
  }
  // Room for second indices up to n2, the new elements zero, the others
  // kept (the second index runs slowest).
  void extend(int n2) {
    if (n2 <= n2_) return;
    n2_ = n2;
    a_.resize(static_cast<std::size_t>(n1_) * static_cast<std::size_t>(n2), T{});
  }
  void release() {
    a_.clear();
    n1_ = n2_ = 0;
  }
  bool allocated() const { return !a_.empty(); }
  int size1() const { return n1_; }
  int size2() const { return n2_; }
  T& operator()(int i, int j) {
    assert(1 <= i && i <= n1_ && 1 <= j && j <= n2_);
    return a_[static_cast<std::size_t>((i - 1) + n1_ * (j - 1))];
  }
  const T& operator()(int i, int j) const {
    assert(1 <= i && i <= n1_ && 1 <= j && j <= n2_);
    return a_[static_cast<std::size_t>((i - 1) + n1_ * (j - 1))];
  }
};

template <class T>
class Alloc3 {
  std::vector<T> a_;
  int n1_ = 0, n2_ = 0, n3_ = 0;

 public:
  void allocate(int n1, int n2, int n3) {
    n1_ = n1;
    n2_ = n2;
    n3_ = n3;
    a_.assign(static_cast<std::size_t>(n1) * static_cast<std::size_t>(n2) *
                  static_cast<std::size_t>(n3),
              T{});
  }
  // Room for third indices up to n3, the new elements zero, the others
  // kept (the third index runs slowest).
  void extend(int n3) {
    if (n3 <= n3_) return;
    n3_ = n3;
    a_.resize(static_cast<std::size_t>(n1_) * static_cast<std::size_t>(n2_) * static_cast<std::size_t>(n3), T{});
  }
  void release() {
    a_.clear();
    n1_ = n2_ = n3_ = 0;
  }
  bool allocated() const { return !a_.empty(); }
  T& operator()(int i, int j, int k) {
    assert(1 <= i && i <= n1_ && 1 <= j && j <= n2_ && 1 <= k && k <= n3_);
    return a_[static_cast<std::size_t>((i - 1) + n1_ * ((j - 1) + n2_ * (k - 1)))];
  }
  const T& operator()(int i, int j, int k) const {
    assert(1 <= i && i <= n1_ && 1 <= j && j <= n2_ && 1 <= k && k <= n3_);
    return a_[static_cast<std::size_t>((i - 1) + n1_ * ((j - 1) + n2_ * (k - 1)))];
  }
};

}  // namespace bl
