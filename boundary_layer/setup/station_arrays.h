// Station arrays of one surface pass of the boundary-layer march: per
// station along the surface, the edge state, the wall conditions and the
// integral results.  1-based, station i = 1..NXT.
//
// They belong to the pass: allocate() acquires them zero-filled at its
// start (the input preparation) and release() gives them up at its end.  A
// few elements are read before the march writes them (cfb(2), d1_bc(2));
// zero is their value.
#pragma once

#include <array>

#include "core/farray.h"

namespace bl {

struct StationArrays {
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

  // Acquire every station array, zero-filled, with n entries.  Calling it
  // while the arrays are held simply starts them afresh.
  void allocate(int n) {
    for (auto* a : all()) a->allocate(n);
  }

  // Release every array.  Harmless when nothing is held.
  void release() {
    for (auto* a : all()) a->release();
  }

 private:
  // The arrays in allocation order.
  std::array<Alloc1<double>*, 25> all() {
    return {&x,     &ue,    &eme,   &te,   &roe,  &emue,   &roe8,  &emue8, &enue8,
            &te8,   &rx,    &dpdx,  &uww,  &vww,  &tww,    &cf_bc, &d1_bc, &rv_bc,
            &cfb,   &d1b,   &d2b,   &h12,  &rtheta, &rdels, &rov};
  }
};

}  // namespace bl
