// Pivot-block factorisation and inversion: pivot choice, determinant,
// failure status and the accuracy of the explicit inverse.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>
#include <random>
#include <vector>

#include "core/lu_steps.h"
#include "core/matrix_inv.h"
#include "core/pivot_block.h"

namespace {

using bl::Alloc1;
using bl::Alloc2;

Alloc2<double> matrix(std::initializer_list<std::initializer_list<double>> rows) {
  const int n = static_cast<int>(rows.size());
  Alloc2<double> a;
  a.allocate(n, n);
  int i = 0;
  for (const auto& row : rows) {
    ++i;
    int j = 0;
    for (double v : row) a(i, ++j) = v;
  }
  return a;
}

struct Factored {
  Alloc2<double> af;
  Alloc1<int> tvec;
  double det = -99.0;
  int status = -1;
};

Factored factor(const Alloc2<double>& a, int n) {
  Factored r;
  r.af.allocate(n, n);
  r.tvec.allocate(n);
  for (int k = 1; k <= n; ++k) r.tvec(k) = -7;  // shows what the call leaves unset
  bl::lu_factor(a, r.af, r.tvec, r.det, r.status, n);
  return r;
}

// Largest |(A * X - I)(i,j)|.
double residual_of_inverse(const Alloc2<double>& a, const Alloc2<double>& x, int n) {
  double worst = 0.0;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) {
      double s = 0.0;
      for (int k = 1; k <= n; ++k) s += a(i, k) * x(k, j);
      worst = std::fmax(worst, std::fabs(s - (i == j ? 1.0 : 0.0)));
    }
  return worst;
}

TEST(LuFactor, IdentityNeedsNoExchangeAndIsItsOwnInverse) {
  const auto a = matrix({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
  auto r = factor(a, 3);
  EXPECT_EQ(r.status, bl::kLuOk);
  EXPECT_EQ(r.det, 1.0);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(r.tvec(k), k);
  bl::lu_invert(r.af, r.tvec, 3);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(r.af(i, j), i == j ? 1.0 : 0.0);
}

TEST(LuFactor, LargestFirstColumnEntryInRowThreeIsSwappedUp) {
  // det = -12; inverse = [[0,6,-6],[2,-11,5],[-4,-2,2]] / -12.
  const auto a = matrix({{1, 0, 3}, {2, 2, 1}, {4, 2, 1}});
  auto r = factor(a, 3);
  EXPECT_EQ(r.status, bl::kLuOk);
  EXPECT_EQ(r.tvec(1), 3);
  EXPECT_EQ(r.tvec(2), 2);
  EXPECT_EQ(r.tvec(3), 3);
  // One exchange: the determinant is minus the product of the pivots.
  EXPECT_EQ(r.det, -(r.af(1, 1) * r.af(2, 2) * r.af(3, 3)));
  EXPECT_EQ(r.det, -12.0);  // pivots 4, 1, 3 are exact
  EXPECT_EQ(a(1, 1), 1.0);  // input untouched

  bl::lu_invert(r.af, r.tvec, 3);
  const auto expected = matrix({{0, 6, -6}, {2, -11, 5}, {-4, -2, 2}});
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j)
      EXPECT_NEAR(r.af(i, j), expected(i, j) / -12.0, 2e-16) << i << "," << j;
}

TEST(LuFactor, TiesInThePivotColumnKeepTheUpperRow) {
  // |2| = |-2| in rows 1 and 2: row 1 stays.
  auto r = factor(matrix({{2, 1, 0}, {-2, 3, 1}, {1, 0, 4}}), 3);
  EXPECT_EQ(r.tvec(1), 1);
  // |3| = |-3| in rows 2 and 3, both above row 1: row 2 is taken.
  r = factor(matrix({{1, 1, 0}, {3, 0, 1}, {-3, 2, 4}}), 3);
  EXPECT_EQ(r.tvec(1), 2);
  EXPECT_EQ(r.af(1, 1), 3.0);
  // A tie at the second step: column 2 below the diagonal becomes (1, -1).
  r = factor(matrix({{4, 0, 0}, {0, 1, 2}, {0, -1, 5}}), 3);
  EXPECT_EQ(r.tvec(2), 2);
  EXPECT_EQ(r.status, bl::kLuOk);
  EXPECT_EQ(r.det, 4.0 * 7.0);
}

TEST(LuFactor, NegligiblePivotColumnStopsWithStatus65) {
  const auto a = matrix({{0, 1, 2}, {0, 3, 4}, {0, 5, 7}});
  auto r = factor(a, 3);
  EXPECT_EQ(r.det, 0.0);
  EXPECT_EQ(r.status, bl::kLuSingular);
  // Nothing beyond the copy was done and no pivot was recorded.
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(r.af(i, j), a(i, j));
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(r.tvec(k), -7);

  // "Negligible" means invisible next to the order: 1e-17 in a 3 x 3
  // column is, 1e-15 is not.
  EXPECT_TRUE(bl::pivot_negligible(1e-17, 3));
  EXPECT_FALSE(bl::pivot_negligible(1e-15, 3));
  r = factor(matrix({{1e-17, 1, 2}, {-1e-17, 3, 4}, {0, 5, 7}}), 3);
  EXPECT_EQ(r.status, bl::kLuSingular);
}

TEST(LuFactor, ZeroLastPivotGivesZeroDeterminantWithStatusOk) {
  // L = [1 0 0; .5 1 0; .25 .5 1], U = [4 2 2; 0 2 1; 0 0 0], all exact.
  auto r = factor(matrix({{4, 2, 2}, {2, 3, 2}, {1, 1.5, 1}}), 3);
  EXPECT_EQ(r.status, bl::kLuOk);
  EXPECT_EQ(r.det, 0.0);
  EXPECT_EQ(r.af(3, 3), 0.0);
  EXPECT_EQ(r.tvec(3), 3);
}

TEST(LuFactor, OrderOneIsItsOwnPivot) {
  auto r = factor(matrix({{-0.5}}), 1);
  EXPECT_EQ(r.status, bl::kLuOk);
  EXPECT_EQ(r.det, -0.5);
  EXPECT_EQ(r.tvec(1), 1);
  bl::lu_invert(r.af, r.tvec, 1);
  EXPECT_EQ(r.af(1, 1), -2.0);
}

// Random well-conditioned matrices: diagonally dominant, with the rows
// rotated so that the elimination has to exchange rows at several steps
// and the inversion has to undo them.
class LuRandom : public ::testing::TestWithParam<int> {};

TEST_P(LuRandom, InverseTimesMatrixIsTheIdentity) {
  const int n = GetParam();
  std::mt19937 gen(1234 + n);
  std::uniform_real_distribution<double> dist(-1.0, 1.0);
  for (int trial = 0; trial < 20; ++trial) {
    Alloc2<double> d;
    d.allocate(n, n);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) d(i, j) = dist(gen) + (i == j ? 2.0 * n : 0.0);
    Alloc2<double> a;
    a.allocate(n, n);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) a(i, j) = d(i % n + 1, j);

    auto r = factor(a, n);
    ASSERT_EQ(r.status, bl::kLuOk);
    int exchanges = 0;
    for (int k = 1; k <= n; ++k) exchanges += r.tvec(k) != k;
    EXPECT_EQ(exchanges, n - 1);
    bl::lu_invert(r.af, r.tvec, n);
    EXPECT_LT(residual_of_inverse(a, r.af, n), 1e-14) << "trial " << trial;
  }
}

INSTANTIATE_TEST_SUITE_P(Orders, LuRandom, ::testing::Values(3, 5));

// The pivot-block kernel of the block solver does the general routines'
// steps for order 3 in local variables; it must agree with them to the bit
// (signed zeros included) in the factors, the inverse, det, the row
// interchanges and the status, also when it stops at a negligible pivot.
bool same_bits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

TEST(PivotBlock, SameBitsAsTheGeneralRoutinesForEveryPivotPath) {
  std::mt19937 gen(77);
  std::uniform_real_distribution<double> dist(-1.0, 1.0);
  std::uniform_int_distribution<int> pick(0, 8);
  int stopped = 0, last_zero = 0, exchanged = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    double v[3][3];
    for (auto& row : v)
      for (double& x : row) x = dist(gen);
    switch (trial % 8) {
      case 1:  // exact ties of magnitude in the pivot columns
        v[1][0] = -v[0][0];
        v[2][1] = v[1][1];
        break;
      case 2:  // no pivot in column 1
        v[0][0] = v[1][0] = 0.0;
        v[2][0] = -0.0;
        break;
      case 3:  // row 2 a multiple of row 1: no pivot in column 2
        for (int c = 0; c < 3; ++c) v[1][c] = 2.0 * v[0][c];
        v[2][1] = v[2][0] * v[0][1] / v[0][0];
        break;
      case 4:  // singular: row 3 the sum of rows 1 and 2 (last pivot near 0)
        for (int c = 0; c < 3; ++c) v[2][c] = v[0][c] + v[1][c];
        break;
      case 5:  // signed zeros scattered through the block
        v[pick(gen) / 3][pick(gen) % 3] = -0.0;
        v[pick(gen) / 3][pick(gen) % 3] = 0.0;
        break;
      default:
        break;
    }

    Alloc2<double> ref;
    ref.allocate(3, 3);
    Alloc1<int> tref;
    tref.allocate(3);
    bl::Pivot3 w;
    int t[3];
    for (int r = 0; r < 3; ++r) {
      tref(r + 1) = t[r] = -7 - r;
      for (int c = 0; c < 3; ++c) ref(r + 1, c + 1) = w[r][c] = v[r][c];
    }
    double det_ref = 1.0, det = -5.0;
    int status_ref = bl::kLuOk;
    bl::lu_factor_steps<0>(ref, tref, det_ref, status_ref, 3);
    const int status = bl::pivot3_factor(w, t, det);
    const bool regular = status_ref == bl::kLuOk && !bl::pivot_negligible(std::fabs(ref(3, 3)), 3);
    if (regular) {
      bl::lu_invert_steps<0>(ref, tref, 3);
      bl::pivot3_invert(w, t);
    }

    ASSERT_EQ(status, status_ref) << "trial " << trial;
    ASSERT_TRUE(same_bits(det, det_ref)) << "trial " << trial << ": " << det << " vs " << det_ref;
    for (int r = 0; r < 3; ++r) {
      ASSERT_EQ(t[r], tref(r + 1)) << "trial " << trial;
      for (int c = 0; c < 3; ++c)
        ASSERT_TRUE(same_bits(w[r][c], ref(r + 1, c + 1)))
            << "trial " << trial << " element " << r + 1 << "," << c + 1;
    }
    stopped += status != bl::kLuOk;
    last_zero += status == bl::kLuOk && !regular;
    exchanged += regular && (t[0] != 1 || t[1] != 2);
  }
  // Every path was taken: stops, an untested last pivot, interchanges.
  EXPECT_GT(stopped, 400);
  EXPECT_GT(exchanged, 1000);
  EXPECT_GT(last_zero, 100) << stopped << " " << exchanged;
}

}  // namespace
