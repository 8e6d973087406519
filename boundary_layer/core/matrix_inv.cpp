// LU factorisation and inversion of the pivot blocks.
#include "core/matrix_inv.h"

#include "core/block_view.h"
#include "core/lu_steps.h"

namespace bl {

void lu_factor(const Alloc2<double>& a, Alloc2<double>& afmat, Alloc1<int>& tvec,
               double& det, int& status, int n) {
  det = 1.0;
  status = kLuOk;
  if (&a != &afmat) {
    for (int c = 1; c <= n; ++c)
      for (int i = 1; i <= n; ++i) afmat(i, c) = a(i, c);
  }
  if (n == kNeq && afmat.size1() == kNeq) {  // a pivot block of the march
    BlockView<double> w(&afmat(1, 1));
    lu_factor_steps<kNeq>(w, tvec, det, status, n);
  } else {
    lu_factor_steps<0>(afmat, tvec, det, status, n);
  }
}

void lu_invert(Alloc2<double>& afmat, const Alloc1<int>& tvec, int n) {
  if (n == kNeq && afmat.size1() == kNeq) {
    BlockView<double> a(&afmat(1, 1));
    lu_invert_steps<kNeq>(a, tvec, n);
  } else {
    lu_invert_steps<0>(afmat, tvec, n);
  }
}

}  // namespace bl
