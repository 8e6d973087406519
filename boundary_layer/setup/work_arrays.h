// Working arrays of one surface pass of the boundary-layer march.
//
// They belong to the pass: allocate() acquires them at the start of a pass
// (Inputi) and release() gives them up at its end.  Every array is zero-filled on allocation: a few elements are
// read before the march writes them (aa(1), deta(821), cfb(2), d1_bc(2)),
// and zero is their defined value.
//
// Three kinds of array, all 1-based:
//   station arrays  (i = 1..n_bl_max, only 1..NXT used)
//   normal arrays   (j = 1..821, the normal grid; NP in use)
//   level arrays    (k = 1..3, j = 1..821): level 3 is the station being
//                   computed, level 2 the previous converged station, level 1
//                   the one before it.
#pragma once

#include <array>

#include "core/farray.h"
#include "setup/solver_scalars.h"

namespace bl {

struct WorkArrays {
  // Station arrays: edge state, wall conditions and integral results
  Alloc1<double> x;       // arc length from the stagnation point
  Alloc1<double> ue;      // edge velocity / U8
  Alloc1<double> eme;     // edge Mach number
  Alloc1<double> te;      // edge temperature, K
  Alloc1<double> roe;     // edge density, kg/m^3
  Alloc1<double> emue;    // edge dynamic viscosity, kg/(m s)
  Alloc1<double> roe8;    // edge / free-stream density
  Alloc1<double> emue8;   // edge / free-stream dynamic viscosity
  Alloc1<double> enue8;   // edge / free-stream kinematic viscosity
  Alloc1<double> te8;     // edge / free-stream temperature
  Alloc1<double> rx;      // local Reynolds number Re_x
  Alloc1<double> dpdx;    // pressure-gradient term of the momentum equation
  Alloc1<double> uww;     // wall velocity
  Alloc1<double> vww;     // wall transpiration term
  Alloc1<double> tww;     // wall thermal condition
  Alloc1<double> cf_bc;   // wall shear parameter (prescribed Cf*sqrt(Re) inverse)
  Alloc1<double> d1_bc;   // displacement thickness, computational variables
  Alloc1<double> rv_bc;   // d(rho_e ue delta*)/dx, computational variables
  Alloc1<double> cfb;     // skin-friction coefficient
  Alloc1<double> d1b;     // displacement thickness
  Alloc1<double> d2b;     // momentum thickness
  Alloc1<double> h12;     // shape factor delta*/theta
  Alloc1<double> rtheta;  // momentum-thickness Reynolds number
  Alloc1<double> rdels;   // displacement-thickness Reynolds number
  Alloc1<double> rov;     // transpiration quantity d(rho_e ue delta*)/dx

  // Normal arrays (capacity kMaxGridPoints)
  Alloc1<double> eta;     // normal coordinate of point j
  Alloc1<double> deta;    // step eta(j+1) - eta(j)
  Alloc1<double> aa;      // half step below j: deta(j-1)/2, j >= 2
  Alloc1<double> tte;     // temperature ratio T/Te across the layer
  Alloc1<double> bb;      // effective viscosity
  Alloc1<double> df;      // Newton correction of f, last iteration
  Alloc1<double> du;      // Newton correction of u, last iteration
  Alloc1<double> dv;      // Newton correction of v, last iteration

  // Level arrays (3 x kMaxGridPoints)
  Alloc2<double> f;       // stream function
  Alloc2<double> u;       // velocity / U8
  Alloc2<double> v;       // shear du/deta
  Alloc2<double> b;       // eddy-viscosity ratio
  Alloc2<double> ccro;    // density ratio across the layer
  Alloc2<double> ccmu;    // viscosity ratio across the layer

  // Acquire every working array, zero-filled: station arrays with n
  // entries, normal arrays with kMaxGridPoints, level arrays with
  // 3 x kMaxGridPoints.  Calling it while the arrays are held simply starts
  // them afresh.
  void allocate(int n) {
    for (auto* a : station()) a->allocate(n);
    for (auto* a : normal()) a->allocate(kMaxGridPoints);
    for (auto* a : level()) a->allocate(kLevels, kMaxGridPoints);
  }

  // Release every working array.  Harmless when nothing is held.
  void release() {
    for (auto* a : station()) a->release();
    for (auto* a : normal()) a->release();
    for (auto* a : level()) a->release();
  }

 private:
  static constexpr int kLevels = 3;  // stations P-2, P-1 and P

  // The arrays by kind, in allocation order; one list serves both.
  std::array<Alloc1<double>*, 25> station() {
    return {&x,     &ue,    &eme,   &te,   &roe,  &emue,   &roe8,  &emue8, &enue8,
            &te8,   &rx,    &dpdx,  &uww,  &vww,  &tww,    &cf_bc, &d1_bc, &rv_bc,
            &cfb,   &d1b,   &d2b,   &h12,  &rtheta, &rdels, &rov};
  }
  std::array<Alloc1<double>*, 8> normal() { return {&eta, &deta, &aa, &tte, &bb, &df, &du, &dv}; }
  std::array<Alloc2<double>*, 6> level() { return {&f, &u, &v, &b, &ccro, &ccmu}; }
};

}  // namespace bl
