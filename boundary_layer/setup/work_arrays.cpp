#include "setup/work_arrays.h"

namespace bl {

WorkArrays wa;

namespace {

// The arrays by kind, in allocation order; one list serves alloc and dealloc.
Alloc1<double>* const kStation[] = {
    &wa.x,     &wa.ue,    &wa.eme,  &wa.te,   &wa.roe,   &wa.emue,   &wa.roe8,
    &wa.emue8, &wa.enue8, &wa.te8,  &wa.rx,   &wa.dpdx,  &wa.uww,    &wa.vww,
    &wa.tww,   &wa.cf_bc, &wa.d1_bc, &wa.rv_bc, &wa.cfb, &wa.d1b,    &wa.d2b,
    &wa.h12,   &wa.rtheta, &wa.rdels, &wa.rov};
Alloc1<double>* const kNormal[] = {&wa.eta, &wa.deta, &wa.aa, &wa.tte, &wa.bb,
                                   &wa.bbt, &wa.df,   &wa.du, &wa.dv};
Alloc2<double>* const kLevel[] = {&wa.f, &wa.u, &wa.v, &wa.b, &wa.ccro, &wa.ccmu};

constexpr int kLevels = 3;  // stations P-2, P-1 and P

}  // namespace

void alloc_bl(int n) {
  for (auto* a : kStation) a->allocate(n);
  for (auto* a : kNormal) a->allocate(kMaxGridPoints);
  for (auto* a : kLevel) a->allocate(kLevels, kMaxGridPoints);
  sd.NEQ = 3;  // f, u, v: momentum equation only
}

void dealloc_bl() {
  for (auto* a : kStation) a->release();
  for (auto* a : kNormal) a->release();
  for (auto* a : kLevel) a->release();
}

}  // namespace bl
