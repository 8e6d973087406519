#include "session/exchange_data.h"

namespace bl {

ExchangeData blx;

void set_default_parameters() {
  blx.np_in = 41;
  blx.xtr_surf(0) = 0.02;
  blx.xtr_surf(1) = 0.03;
  blx.re_mill = 10.0;
  blx.cfs_sqrt_re = 0.15;
  blx.kv = 1.1;
  blx.eta_e = 6.0;
}

}  // namespace bl
