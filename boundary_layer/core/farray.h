// Arrays indexed the way the numerical routines count: from a chosen lower
// bound (mostly 1), first index running fastest.  Every access goes through
// operator(), which checks the bounds in debug builds, so no routine ever
// writes an index shift by hand.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <vector>

namespace bl {

// Fixed-capacity vector, indices Lo..Hi.  Zero-filled on construction.
template <class T, int Lo, int Hi>
class FArray1 {
  std::array<T, Hi - Lo + 1> a_{};

 public:
  static constexpr int lo = Lo, hi = Hi;
  T& operator()(int i) {
    assert(Lo <= i && i <= Hi);
    return a_[static_cast<std::size_t>(i - Lo)];
  }
  const T& operator()(int i) const {
    assert(Lo <= i && i <= Hi);
    return a_[static_cast<std::size_t>(i - Lo)];
  }
  void fill(const T& v) { a_.fill(v); }
  T* data() { return a_.data(); }
};

// Fixed-capacity matrix, indices (Lo1..Hi1, Lo2..Hi2), first index fastest.
template <class T, int Lo1, int Hi1, int Lo2, int Hi2>
class FArray2 {
  static constexpr int n1 = Hi1 - Lo1 + 1;
  std::array<T, static_cast<std::size_t>(n1) * (Hi2 - Lo2 + 1)> a_{};

 public:
  T& operator()(int i, int j) {
    assert(Lo1 <= i && i <= Hi1 && Lo2 <= j && j <= Hi2);
    return a_[static_cast<std::size_t>((i - Lo1) + n1 * (j - Lo2))];
  }
  const T& operator()(int i, int j) const {
    assert(Lo1 <= i && i <= Hi1 && Lo2 <= j && j <= Hi2);
    return a_[static_cast<std::size_t>((i - Lo1) + n1 * (j - Lo2))];
  }
  void fill(const T& v) { a_.fill(v); }
};

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
