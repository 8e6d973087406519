// The pivot blocks of the march go through code of a fixed order 3; any
// other order, or a 3 x 3 matrix held in larger storage, through the general
// code.  Both must give the same bits, the block views must address exactly
// one grid point's block of the core arrays, and a second right-hand side
// solved with the kept elimination must come out as from a full solve.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

#include "core/block_solver.h"
#include "core/matrix_inv.h"
#include "setup/solver_scalars.h"

namespace {

using bl::Alloc1;
using bl::Alloc2;
using bl::Alloc3;

// Random 3 x 3 matrices, some needing row exchanges, some with a zero or a
// tied pivot candidate, factorised and inverted once in 3 x 3 storage (fixed
// order) and once in the top-left corner of 4 x 4 storage (general code).
TEST(PivotBlockPaths, FixedAndGeneralOrderGiveTheSameBits) {
  std::mt19937 gen(42);
  std::uniform_real_distribution<double> dist(-2.0, 2.0);
  for (int trial = 0; trial < 200; ++trial) {
    double m[3][3];
    for (auto& row : m)
      for (double& x : row) x = dist(gen);
    if (trial % 7 == 0) m[0][0] = 0.0;           // exchange forced at step 1
    if (trial % 11 == 0) m[1][0] = -m[0][0];     // tie in the pivot search
    if (trial % 13 == 0) m[2][2] = m[2][0] = 0;  // sparse row

    Alloc2<double> a3, a4;
    a3.allocate(3, 3);
    a4.allocate(4, 4);
    for (int i = 1; i <= 3; ++i)
      for (int j = 1; j <= 3; ++j) a3(i, j) = a4(i, j) = m[i - 1][j - 1];
    Alloc1<int> t3, t4;
    t3.allocate(3);
    t4.allocate(3);
    double d3 = 0, d4 = 0;
    int s3 = -1, s4 = -1;
    bl::lu_factor(a3, a3, t3, d3, s3, 3);
    bl::lu_factor(a4, a4, t4, d4, s4, 3);
    ASSERT_EQ(s3, s4) << trial;
    ASSERT_EQ(d3, d4) << trial;
    if (s3 != bl::kLuOk || d3 == 0.0) continue;
    for (int k = 1; k <= 3; ++k) ASSERT_EQ(t3(k), t4(k)) << trial;
    bl::lu_invert(a3, t3, 3);
    bl::lu_invert(a4, t4, 3);
    for (int i = 1; i <= 3; ++i)
      for (int j = 1; j <= 3; ++j) ASSERT_EQ(a3(i, j), a4(i, j)) << trial << " " << i << j;
    EXPECT_EQ(a4(4, 4), 0.0);  // storage outside the order is never touched
  }
}

// Block products on the core arrays: c(., ., kc) = a(., ., ka) b(., ., kb)
// and y(., ky) = a(., ., ka) x(., kx) touch nothing but their own block.
TEST(PivotBlockPaths, BlockProductsAddressOneGridPoint) {
  Alloc3<double> a, b, c;
  Alloc2<double> x, y;
  for (auto* m : {&a, &b, &c}) m->allocate(3, 3, 5);
  x.allocate(3, 5);
  y.allocate(3, 5);
  for (int k = 1; k <= 5; ++k)
    for (int i = 1; i <= 3; ++i) {
      x(i, k) = 10.0 * k + i;
      for (int j = 1; j <= 3; ++j) {
        a(i, j, k) = 100.0 * k + 10.0 * i + j;
        b(i, j, k) = (i == j ? 2.0 : 0.0) + 0.5 * k + 0.25 * j;
      }
    }
  bl::mat_mul(a, 2, b, 4, c, 3);
  bl::mat_vec(a, 5, x, 1, y, 2);
  for (int k = 1; k <= 5; ++k)
    for (int i = 1; i <= 3; ++i) {
      double sy = 0.0;
      for (int j = 1; j <= 3; ++j) sy += a(i, j, 5) * x(j, 1);
      EXPECT_EQ(y(i, k), k == 2 ? sy : 0.0) << i << " " << k;
      for (int j = 1; j <= 3; ++j) {
        double s = 0.0;
        for (int m = 1; m <= 3; ++m) s += a(i, m, 2) * b(m, j, 4);
        EXPECT_EQ(c(i, j, k), k == 3 ? s : 0.0) << i << j << " " << k;
      }
    }
}

// The inverse mode solves its sensitivity right-hand side with the
// elimination of the residual solve; the result, and every intermediate,
// must be what a full second solve gives.
TEST(PivotBlockPaths, SecondRightHandSideReusesTheElimination) {
  bl::CoreArrays ca;
  bl::SolverScalars sd;
  sd.NP = 9;
  ca.allocate();
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> d(-1.0, 1.0);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (int j = 1; j <= 9; ++j)
    for (int r = 1; r <= 3; ++r) {
      for (int c = 1; c <= 3; ++c) {
        ca.amat(r, c, j) = j == 1 ? nan : d(gen);
        ca.bmat(r, c, j) = d(gen) + (r == c ? 3.0 : 0.0) + (c == 1 ? 2.0 : 0.0);  // exchanges
        ca.cmat(r, c, j) = j == 9 ? nan : d(gen);
      }
      ca.rvec(r, j) = d(gen);
      ca.eyvec(r, j) = d(gen);
    }
  ASSERT_TRUE(bl::block_solve(ca, sd.NP, 4, ca.rvec, ca.xvec).ok);
  bl::block_resolve(ca, sd.NP, ca.eyvec, ca.yvec);
  std::vector<double> reused, intermediates;
  for (int j = 1; j <= 9; ++j)
    for (int r = 1; r <= 3; ++r) {
      reused.push_back(ca.yvec(r, j));
      for (int c = 1; c <= 3; ++c) intermediates.push_back(ca.inv_d(r, c, j));
    }

  ASSERT_TRUE(bl::block_solve(ca, sd.NP, 4, ca.eyvec, ca.yvec).ok);
  std::size_t k = 0, m = 0;
  for (int j = 1; j <= 9; ++j)
    for (int r = 1; r <= 3; ++r) {
      EXPECT_EQ(ca.yvec(r, j), reused[k++]) << r << " " << j;
      for (int c = 1; c <= 3; ++c) EXPECT_EQ(ca.inv_d(r, c, j), intermediates[m++]);
    }

  // The inverse mode's single pass over both right-hand sides: the same
  // bits as block_solve then block_resolve, and the substitution's kept
  // vectors as the second right-hand side leaves them.
  ASSERT_TRUE(bl::block_solve(ca, sd.NP, 4, ca.rvec, ca.xvec).ok);
  bl::block_resolve(ca, sd.NP, ca.eyvec, ca.yvec);
  const bl::CoreArrays sequential = ca;
  for (int j = 1; j <= 9; ++j)
    for (int r = 1; r <= 3; ++r) {
      ca.xvec(r, j) = ca.yvec(r, j) = ca.wvec(r, j) = nan;
      if (j < 9) ca.hvec(r, j) = nan;  // h_NP is never formed
    }
  ASSERT_TRUE(bl::block_solve_pair(ca, sd.NP, 4, ca.rvec, ca.xvec, ca.eyvec, ca.yvec).ok);
  for (int j = 1; j <= 9; ++j)
    for (int r = 1; r <= 3; ++r) {
      EXPECT_EQ(ca.xvec(r, j), sequential.xvec(r, j)) << r << " " << j;
      EXPECT_EQ(ca.yvec(r, j), sequential.yvec(r, j)) << r << " " << j;
      EXPECT_EQ(ca.wvec(r, j), sequential.wvec(r, j)) << r << " " << j;
      EXPECT_EQ(ca.hvec(r, j), sequential.hvec(r, j)) << r << " " << j;
      EXPECT_EQ(ca.uvec(r, j), sequential.uvec(r, j)) << r << " " << j;
      EXPECT_EQ(ca.kvec(r, j), sequential.kvec(r, j)) << r << " " << j;
    }
  ca.release();
}

}  // namespace
