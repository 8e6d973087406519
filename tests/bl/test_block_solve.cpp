// Block-tridiagonal solver: solutions checked by multiplying back, the
// blocks it must not read or change, and the refusal of singular pivots.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "core/block_solver.h"
#include "setup/solver_scalars.h"

namespace {


class BlockSolve : public ::testing::Test {
 protected:
  bl::CoreArrays ca;
  bl::SolverScalars sd;

  void SetUp() override { ca.allocate(); }
  void TearDown() override { ca.release(); }

  // A random diagonally dominant system on np points with the box scheme's
  // structure (the third row of A_j and the first two of C_j zero), blocks
  // outside the system (A_1, C_NP) filled with NaN so that any use of them
  // shows.
  void random_system(int np, unsigned seed) {
    sd.NP = np;
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int j = 1; j <= np; ++j) {
      for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 3; ++c) {
          ca.amat(r, c, j) = j == 1 ? nan : r == 3 ? 0.0 : d(gen);
          ca.bmat(r, c, j) = d(gen) + (r == c ? 8.0 : 0.0);
          ca.cmat(r, c, j) = j == np ? nan : r < 3 ? 0.0 : d(gen);
        }
        ca.rvec(r, j) = d(gen);
        ca.eyvec(r, j) = d(gen);
      }
    }
  }

  // Largest |A_j s(j-1) + B_j s(j) + C_j s(j+1) - rhs(j)| over the system.
  double residual(const bl::Alloc2<double>& rhs, const bl::Alloc2<double>& s) const {
    double worst = 0.0;
    for (int j = 1; j <= sd.NP; ++j)
      for (int r = 1; r <= 3; ++r) {
        double sum = 0.0;
        for (int c = 1; c <= 3; ++c) {
          if (j > 1) sum += ca.amat(r, c, j) * s(c, j - 1);
          sum += ca.bmat(r, c, j) * s(c, j);
          if (j < sd.NP) sum += ca.cmat(r, c, j) * s(c, j + 1);
        }
        worst = std::fmax(worst, std::fabs(sum - rhs(r, j)));
      }
    return worst;
  }
};

TEST_F(BlockSolve, SinglePointIsOneInvertedBlock) {
  random_system(1, 7);
  ASSERT_TRUE(bl::block_solve(ca, sd.NP, 3, ca.rvec, ca.xvec).ok);
  EXPECT_LT(residual(ca.rvec, ca.xvec), 1e-15);
  const double b_det = ca.bmat(1, 1, 1) * (ca.bmat(2, 2, 1) * ca.bmat(3, 3, 1) - ca.bmat(2, 3, 1) * ca.bmat(3, 2, 1)) -
                       ca.bmat(1, 2, 1) * (ca.bmat(2, 1, 1) * ca.bmat(3, 3, 1) - ca.bmat(2, 3, 1) * ca.bmat(3, 1, 1)) +
                       ca.bmat(1, 3, 1) * (ca.bmat(2, 1, 1) * ca.bmat(3, 2, 1) - ca.bmat(2, 2, 1) * ca.bmat(3, 1, 1));
  EXPECT_NEAR(ca.det(1), b_det, 1e-12 * std::fabs(b_det));
}

TEST_F(BlockSolve, TwoRightHandSidesOnOneUnchangedSystem) {
  random_system(200, 11);
  const bl::CoreArrays before = ca;

  ASSERT_TRUE(bl::block_solve(ca, sd.NP, 5, ca.rvec, ca.xvec).ok);
  EXPECT_LT(residual(ca.rvec, ca.xvec), 1e-14);
  for (int j = 1; j <= sd.NP; ++j)
    for (int r = 1; r <= 3; ++r) {
      EXPECT_TRUE(std::isfinite(ca.xvec(r, j)));  // A_1 and C_NP (NaN) never entered
      for (int c = 1; c <= 3; ++c) EXPECT_EQ(ca.bmat(r, c, j), before.bmat(r, c, j));
    }

  // The inverse mode solves again with the sensitivity right-hand side:
  // the first solution must survive and the second must be as good.
  const bl::CoreArrays after_first = ca;
  ASSERT_TRUE(bl::block_solve(ca, sd.NP, 5, ca.eyvec, ca.yvec).ok);
  EXPECT_LT(residual(ca.eyvec, ca.yvec), 1e-14);
  for (int j = 1; j <= sd.NP; ++j) {
    EXPECT_EQ(ca.det(j), after_first.det(j));
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(ca.xvec(r, j), after_first.xvec(r, j));
  }
  // det beyond the system keeps what it held.
  EXPECT_EQ(ca.det(sd.NP + 1), 0.0);
}

TEST_F(BlockSolve, SingularPivotBlockIsRefusedAndNamed) {
  random_system(6, 3);
  // D_1 = B_1 with a zero first column: no pivot at the first step.
  for (int r = 1; r <= 3; ++r) ca.bmat(r, 1, 1) = 0.0;
  for (int j = 1; j <= sd.NP; ++j)
    for (int r = 1; r <= 3; ++r) ca.xvec(r, j) = 42.0;

  const bl::Status st = bl::block_solve(ca, sd.NP, 17, ca.rvec, ca.xvec);
  EXPECT_FALSE(st.ok);
  EXPECT_NE(st.message.find("station 17"), std::string::npos) << st.message;
  EXPECT_NE(st.message.find("grid point 1 "), std::string::npos) << st.message;
  EXPECT_EQ(ca.det(1), 0.0);
  for (int j = 1; j <= sd.NP; ++j)
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(ca.xvec(r, j), 42.0);
}

TEST_F(BlockSolve, ZeroLastPivotOfTheEdgeBlockIsRefused) {
  random_system(4, 5);
  // Uncouple the edge point (A_NP = 0, so D_NP = B_NP exactly) and make
  // B_NP singular only in its last pivot: row 3 = row 1 + row 2, with every
  // step of the elimination exact.
  ca.bmat(1, 1, 4) = 4.0;
  ca.bmat(1, 2, 4) = 0.0;
  ca.bmat(1, 3, 4) = 1.0;
  ca.bmat(2, 1, 4) = -2.0;
  ca.bmat(2, 2, 4) = 1.0;
  ca.bmat(2, 3, 4) = 0.5;
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 3; ++r) ca.amat(r, c, 4) = 0.0;
    ca.bmat(3, c, 4) = ca.bmat(1, c, 4) + ca.bmat(2, c, 4);
  }

  const bl::Status st = bl::block_solve(ca, sd.NP, 9, ca.rvec, ca.xvec);
  EXPECT_FALSE(st.ok);
  EXPECT_NE(st.message.find("grid point 4 "), std::string::npos) << st.message;
  EXPECT_EQ(ca.det(4), 0.0);
}

TEST_F(BlockSolve, AllocationStartsEveryPassFromZero) {
  random_system(3, 1);
  ASSERT_TRUE(bl::block_solve(ca, sd.NP, 3, ca.rvec, ca.xvec).ok);
  ca.release();
  EXPECT_FALSE(ca.amat.allocated());
  ca.release();  // a second release is harmless
  ca.allocate();
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(ca.rq(r, 1), 0.0);  // no interval below the wall: defined as 0
    EXPECT_EQ(ca.xvec(r, 1), 0.0);
  }
  EXPECT_EQ(ca.det(1), 0.0);
}

}  // namespace
