// The Newton systems of the march have blocks of a fixed pattern (zero rows
// in A_j and C_j, -1 on the diagonal of A_j), and the solver leaves the
// products with those zeros out.  Whatever it leaves out, every number it
// stores must be the bits of the plain elimination: written here step by
// step from the block products and the LU routines, and compared bit for
// bit, signed zeros and infinities included.  A NaN need only be a NaN:
// which operand's NaN an operation passes on, and so its sign, is the
// compiler's choice.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "core/block_solver.h"
#include "core/matrix_inv.h"
#include "setup/solver_scalars.h"

namespace {

using bl::Alloc1;
using bl::Alloc2;
using bl::Alloc3;

bool same_bits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// The elimination as the textbook gives it, every product through mat_mul
// and mat_vec, every pivot block through lu_factor and lu_invert.
struct Plain {
  Alloc3<double> d, inv, g, m;
  Alloc2<double> u, w, k, h, sol;
  Alloc1<double> det;
  bool ok = true;

  Plain(const bl::CoreArrays& ca, int np, const Alloc2<double>& rhs) {
    for (auto* a : {&d, &inv, &g, &m}) a->allocate(3, 3, np);
    for (auto* a : {&u, &w, &k, &h, &sol}) a->allocate(3, np);
    det.allocate(np);
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) d(r, c, 1) = ca.bmat(r, c, 1);
    for (int j = 1; ok && j <= np; ++j) {
      invert(j);
      if (!ok || j == np) break;
      bl::mat_mul(ca.amat, j + 1, inv, j, g, j + 1);
      bl::mat_mul(g, j + 1, ca.cmat, j, m, j + 1);
      for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) d(r, c, j + 1) = ca.bmat(r, c, j + 1) - m(r, c, j + 1);
    }
    if (!ok) return;
    for (int r = 1; r <= 3; ++r) w(r, 1) = rhs(r, 1);
    for (int j = 2; j <= np; ++j) {
      bl::mat_vec(g, j, w, j - 1, u, j);
      for (int r = 1; r <= 3; ++r) w(r, j) = rhs(r, j) - u(r, j);
    }
    bl::mat_vec(inv, np, w, np, sol, np);
    for (int j = np - 1; j >= 1; --j) {
      bl::mat_vec(ca.cmat, j, sol, j + 1, k, j);
      for (int r = 1; r <= 3; ++r) h(r, j) = w(r, j) - k(r, j);
      bl::mat_vec(inv, j, h, j, sol, j);
    }
  }

  void invert(int j) {
    Alloc2<double> af;
    af.allocate(3, 3);
    Alloc1<int> t;
    t.allocate(3);
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) af(r, c) = d(r, c, j);
    int status = 0;
    bl::lu_factor(af, af, t, det(j), status, 3);
    ok = status == bl::kLuOk && !bl::pivot_negligible(std::fabs(af(3, 3)), 3);
    if (!ok) return;
    bl::lu_invert(af, t, 3);
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) inv(r, c, j) = af(r, c);
  }
};

class BlockPattern : public ::testing::Test {
 protected:
  bl::CoreArrays ca;
  bl::SolverScalars sd;

  void SetUp() override {
    sd.NEQ = 3;
    ca.allocate();
  }
  void TearDown() override { ca.release(); }

  // A system of the march's pattern, its free entries random; zeros of
  // both signs in the pattern and, now and then, in the free entries and
  // the right-hand sides, where a left-out product would change a sign.
  // Sparse: a zero in every other free entry and diagonal blocks B_j, so
  // that the inverses and products have exact zeros too.
  void box_system(int np, unsigned seed, bool sparse = false) {
    sd.NP = np;
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    const auto zero = [&gen] { return gen() % 2 ? 0.0 : -0.0; };
    const auto free = [&] { return gen() % (sparse ? 2 : 9) == 0 ? zero() : d(gen); };
    for (int j = 1; j <= np; ++j) {
      for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 3; ++c) {
          ca.amat(r, c, j) = zero();
          ca.bmat(r, c, j) = r == c ? (d(gen) + 4.0) * (gen() % 2 ? 1 : -1) : sparse ? zero() : d(gen);
          ca.cmat(r, c, j) = r == 3 ? free() : zero();
        }
        ca.rvec(r, j) = free();
        ca.eyvec(r, j) = free();
      }
      ca.amat(1, 1, j) = ca.amat(2, 2, j) = -1.0;
      ca.amat(1, 2, j) = free();
      ca.amat(2, 3, j) = free();
    }
  }

  // Every array the solve writes, against the plain elimination.
  void expect_plain(const Plain& p, const Alloc2<double>& sol, const char* what) {
    const int np = sd.NP;
    int mismatches = 0;
    const auto check = [&](double got, double want, const char* name, int j) {
      if (!same_bits(got, want) && ++mismatches <= 5)
        ADD_FAILURE() << what << ": " << name << " at grid point " << j << " is " << got
                      << ", the plain elimination gives " << want;
    };
    for (int j = 1; j <= np; ++j) {
      check(ca.det(j), p.det(j), "det", j);
      for (int r = 1; r <= 3; ++r) {
        check(sol(r, j), p.sol(r, j), "sol", j);
        check(ca.wvec(r, j), p.w(r, j), "w", j);
        if (j > 1) check(ca.uvec(r, j), p.u(r, j), "G w", j);
        if (j < np) {
          check(ca.kvec(r, j), p.k(r, j), "C sol", j);
          check(ca.hvec(r, j), p.h(r, j), "h", j);
        }
        for (int c = 1; c <= 3; ++c) {
          check(ca.dmat(r, c, j), p.d(r, c, j), "D", j);
          check(ca.inv_d(r, c, j), p.inv(r, c, j), "inv(D)", j);
          if (j > 1) {
            check(ca.gmat(r, c, j), p.g(r, c, j), "G", j);
            check(ca.mmat(r, c, j), p.m(r, c, j), "M", j);
          }
        }
      }
    }
    EXPECT_EQ(mismatches, 0) << what;
  }
};

// Many systems of the pattern, direct and inverse mode: the same bits as
// the plain elimination in every stored intermediate.
TEST_F(BlockPattern, LeftOutZeroProductsChangeNoBit) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    box_system(seed % 3 == 0 ? 1 : 40 + static_cast<int>(seed), seed, seed % 2 == 0);
    const Plain plain(ca, sd.NP, ca.rvec);
    ASSERT_TRUE(bl::block_solve(ca, sd.NP, seed, ca.rvec, ca.xvec).ok) << seed;
    expect_plain(plain, ca.xvec, "direct");

    const Plain second(ca, sd.NP, ca.eyvec);
    ASSERT_TRUE(bl::block_solve_pair(ca, sd.NP, seed, ca.rvec, ca.xvec, ca.eyvec, ca.yvec).ok) << seed;
    expect_plain(second, ca.yvec, "inverse mode, second right-hand side");
    for (int j = 1; j <= sd.NP; ++j)
      for (int r = 1; r <= 3; ++r) ASSERT_TRUE(same_bits(ca.xvec(r, j), plain.sol(r, j)));
  }
}

// A system off the pattern by one entry, and systems whose numbers
// overflow: the left-out products would not have been zero there, so the
// solution must be the plain elimination's, NaN and infinity included.
TEST_F(BlockPattern, OffPatternAndNonFiniteSystemsAreSolvedInFull) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    int r, c, j;
    bool in_a;
    double value;
  };
  const Case cases[] = {
      {"A_j row 3 not zero", 3, 2, 7, true, 1e-3},
      {"C_j row 1 not zero", 1, 3, 12, false, -0.25},
      {"A_j diagonal not -1", 2, 2, 20, true, -1.0 + 1e-15},
      {"infinite coupling to the next point", 3, 1, 9, false, inf},
      {"overflowing coupling", 3, 3, 15, false, 1e308},
      {"infinite entry of A", 1, 2, 30, true, -inf},
  };
  for (const Case& k : cases) {
    box_system(40, 99);
    (k.in_a ? ca.amat : ca.cmat)(k.r, k.c, k.j) = k.value;
    const Plain plain(ca, sd.NP, ca.rvec);
    ASSERT_TRUE(plain.ok) << k.what;
    ASSERT_TRUE(bl::block_solve(ca, sd.NP, 1, ca.rvec, ca.xvec).ok) << k.what;
    expect_plain(plain, ca.xvec, k.what);
  }
}

// A singular pivot block inside a system of the pattern: the solve stops
// there, as the plain elimination does, and leaves the solution and the
// determinants past the block as it found them.
TEST_F(BlockPattern, SingularBlockLeavesTheRestAsItWas) {
  box_system(30, 5);
  for (int j = 1; j <= 30; ++j) {
    ca.det(j) = 100.0 + j;
    for (int r = 1; r <= 3; ++r) ca.xvec(r, j) = 42.0;
  }
  // A_j has no third row, so D_j keeps the third row of B_j: zero it.
  for (int c = 1; c <= 3; ++c) ca.bmat(3, c, 18) = 0.0;
  const Plain plain(ca, 30, ca.rvec);
  ASSERT_FALSE(plain.ok);

  const bl::Status st = bl::block_solve(ca, sd.NP, 8, ca.rvec, ca.xvec);
  EXPECT_FALSE(st.ok);
  EXPECT_NE(st.message.find("grid point 18 "), std::string::npos) << st.message;
  for (int j = 1; j <= 18; ++j) EXPECT_TRUE(same_bits(ca.det(j), plain.det(j))) << j;
  for (int j = 19; j <= 30; ++j) EXPECT_EQ(ca.det(j), 100.0 + j) << j;
  for (int j = 1; j <= 30; ++j)
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(ca.xvec(r, j), 42.0);
}

}  // namespace
