// Secant continuation of the mass defect along a polar.
#include "continuation.h"

#include <cmath>

namespace viscous {

namespace {

// Steps longer than this many times the one before are started from the
// last angle alone: the secant is a local fit.
constexpr double kLongestStepRatio = 2.0;

// x + f (x - x0), where both have one value per node; else x.
std::vector<double> along(const std::vector<double>& x, const std::vector<double>& x0, double f) {
  if (x0.size() != x.size()) return x;
  std::vector<double> y(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) y[i] = x[i] + f * (x[i] - x0[i]);
  return y;
}

}  // namespace

// The secant's factor (alpha - alpha_last) / (alpha_last - alpha_before),
// or NaN where the start is the last angle's defect alone.
double Continuation::secant_factor(double alpha) const {
  if (before_.empty() || last_.empty()) return std::nan("");
  const double f = (alpha - alpha_last_) / (alpha_last_ - alpha_before_);
  return std::isfinite(f) && std::fabs(f) <= kLongestStepRatio ? f : std::nan("");
}

State Continuation::start(double alpha) const {
  const double f = secant_factor(alpha);
  if (std::isnan(f)) return last_;
  State s;
  s.m = along(last_.m, before_.m, f);
  for (int h = 0; h < 2; ++h) s.wake[h] = along(last_.wake[h], before_.wake[h], f);
  return s;
}

std::vector<State> Continuation::starts(double alpha) const {
  std::vector<State> s{start(alpha)};
  if (!std::isnan(secant_factor(alpha))) s.push_back(last_);  // not already the first try
  if (!last_.empty()) s.push_back(State{});
  return s;
}

void Continuation::record(double alpha, const Result& r) {
  if (r.converged && last_converged_ && alpha != alpha_last_) {
    before_ = std::move(last_);
    alpha_before_ = alpha_last_;
  } else {
    before_ = State{};
  }
  last_ = r.state;
  alpha_last_ = alpha;
  last_converged_ = r.converged;
}

}  // namespace viscous
