#include "numerical_map.h"

#include <algorithm>
#include <cmath>

#include "circle_fourier.h"
#include "constants.h"

namespace aerofoil {

namespace {

using constants::kPi;
using constants::kTwoPi;
constexpr int kSamples = 1024;  // samples of the outline for the branch and angle tables

double arg(Complex z) { return std::atan2(z.imag(), z.real()); }

// 1/z without the library's guarded complex division (z is never zero or
// infinite where it is used).
Complex inverse(Complex z) { return std::conj(z) / std::norm(z); }

// The power q^(1/k) or w^k on the branch whose arguments lie within pi of
// `centre`: the side of the cut that the outside of the section never meets.
Complex logAbout(Complex z, double centre) {
  return Complex(std::log(std::abs(z)), centre + arg(z * std::polar(1.0, -centre)));
}

// The outline opened at its trailing edge, z'(t), on the branch of the power
// that runs continuously along it from the upper side of the edge.
class OpenedOutline {
 public:
  OpenedOutline(const SectionShape& shape, Complex zte, Complex z1, double k, double upperArg)
      : shape_(shape), zte_(zte), z1_(z1), k_(k), q_(kSamples + 1), argq_(kSamples + 1) {
    for (int j = 1; j < kSamples; ++j) {
      const std::size_t i = static_cast<std::size_t>(j);
      const Complex z = shape.point(static_cast<double>(j) / kSamples);
      q_[i] = (z - zte) / (z - z1);
      argq_[i] = j == 1 ? upperArg + arg(q_[i] * std::polar(1.0, -upperArg))
                        : argq_[i - 1] + arg(q_[i] * std::conj(q_[i - 1]));
    }
  }
  // The argument of q at the last sample before the lower side of the edge.
  double lowerArg() const { return argq_[kSamples - 1]; }

  // z'(t), and dz'/dt.
  Complex at(double t, Complex* dzdt = nullptr) const {
    Complex z, tangent;
    if (dzdt)
      shape_.evaluate(t, z, tangent);
    else
      z = shape_.point(t);
    const Complex toInside = inverse(z - z1_);
    const Complex q = (z - zte_) * toInside;
    if (std::norm(q) == 0.0) {
      if (dzdt) *dzdt = Complex(HUGE_VAL, 0.0);
      return 1.0;
    }
    const int j = std::clamp(static_cast<int>(t * kSamples + 0.5), 1, kSamples - 1);
    const std::size_t i = static_cast<std::size_t>(j);
    const Complex lq(0.5 * std::log(std::norm(q)), argq_[i] + arg(q * std::conj(q_[i])));
    const Complex w = std::exp(lq / k_);
    const Complex outside = inverse(1.0 - w);
    if (dzdt) {
      // dz'/dt = 2/(1 - w)^2 * w/(k q) * (z_te - z_1)/(z - z_1)^2 * dz/dt
      const Complex dwdq = w * inverse(k_ * q);
      const Complex dqdz = (zte_ - z1_) * toInside * toInside;
      *dzdt = 2.0 * outside * outside * dwdq * dqdz * tangent;
    }
    return (1.0 + w) * outside;
  }

 private:
  const SectionShape& shape_;
  Complex zte_, z1_;
  double k_;
  std::vector<Complex> q_;
  std::vector<double> argq_;
};

// The near-circle about its centre: the polar angle phi(t) continuous along
// the outline, and its inverse.
class NearCircle {
 public:
  explicit NearCircle(const OpenedOutline& opened) : opened_(opened), z_(kSamples + 1), phi_(kSamples + 1) {
    for (int j = 0; j <= kSamples; ++j)
      z_[static_cast<std::size_t>(j)] =
          j == 0 || j == kSamples ? Complex(1.0) : opened.at(static_cast<double>(j) / kSamples);
    // Centroid of the polygon through the samples.
    double area = 0.0;
    Complex moment;
    for (std::size_t j = 0; j < kSamples; ++j) {
      const double cross = (std::conj(z_[j]) * z_[j + 1]).imag();
      area += 0.5 * cross;
      moment += cross * (z_[j] + z_[j + 1]) / 6.0;
    }
    centre_ = moment / area;
    phi_[0] = arg(z_[0] - centre_);
    monotonic_ = area > 0.0;
    for (std::size_t j = 1; j <= kSamples; ++j) {
      phi_[j] = phi_[j - 1] + arg((z_[j] - centre_) * std::conj(z_[j - 1] - centre_));
      if (!(phi_[j] > phi_[j - 1])) monotonic_ = false;
    }
    if (std::fabs(phi_[kSamples] - phi_[0] - kTwoPi) > 1e-9) monotonic_ = false;
  }
  bool starShaped() const { return monotonic_; }
  Complex centre() const { return centre_; }
  double edgeAngle() const { return phi_[0]; }

  // The outline parameter t whose near-circle point has polar angle phi
  // (reduced to the edge's turn), started from `guess`; and ln|z' - c| there.
  double invert(double phi, double guess, double& psi) const {
    const double phi0 = phi_[0];
    phi = phi0 + std::fmod(std::fmod(phi - phi0, kTwoPi) + kTwoPi, kTwoPi);
    const std::size_t j = static_cast<std::size_t>(std::upper_bound(phi_.begin(), phi_.end(), phi) - phi_.begin());
    const std::size_t hi = std::clamp<std::size_t>(j, 1, kSamples), lo = hi - 1;
    double a = static_cast<double>(lo) / kSamples, b = static_cast<double>(hi) / kSamples;
    double t = guess > a && guess < b ? guess
                                      : a + (b - a) * (phi - phi_[lo]) / (phi_[hi] - phi_[lo]);
    Complex zp = 1.0;
    for (int it = 0; it < 60; ++it) {
      Complex dz;
      zp = opened_.at(t, &dz);
      const std::size_t near = std::min<std::size_t>(static_cast<std::size_t>(t * kSamples + 0.5), kSamples);
      const Complex rel = zp - centre_;
      const double f = phi_[near] + arg(rel * std::conj(z_[near] - centre_)) - phi;
      // psi moves with phi by its slope, small on a near-circle: 1e-14 in
      // phi is round-off in psi.
      if (std::fabs(f) < 1e-14) break;
      if (f > 0) b = t; else a = t;
      const Complex dlog = dz * std::conj(rel) / std::norm(rel);  // d ln(z' - c)/dt = dpsi/dt + i dphi/dt
      double next = t - f / dlog.imag();
      // Newton converges quadratically: from a residual this small its step
      // lands within round-off, and psi follows by its slope.
      if (std::fabs(f) < 1e-8 && next > a && next < b) {
        psi = 0.5 * std::log(std::norm(rel)) + dlog.real() * (next - t);
        return next;
      }
      if (!(next > a && next < b) || !std::isfinite(next)) next = 0.5 * (a + b);
      if (next == t || b - a < 1e-17) break;
      t = next;
    }
    psi = 0.5 * std::log(std::norm(zp - centre_));
    return t;
  }

 private:
  const OpenedOutline& opened_;
  std::vector<Complex> z_;
  std::vector<double> phi_;
  Complex centre_;
  bool monotonic_ = true;
};

// Anderson's acceleration of a fixed-point iteration x = g(x): the next x
// combines the last few g so that the same combination of their residuals
// g - x is least in the mean square.  The Theodorsen-Garrick iteration
// converges linearly; mixed over four steps it needs about half the
// iterations.
class AndersonMixing {
 public:
  AndersonMixing(std::size_t size, int depth) : size_(size), depth_(depth) {}
  // x: the iterate g was computed from; on return the next iterate.
  void step(std::vector<double>& x, const std::vector<double>& g) {
    std::vector<double> f(size_);
    for (std::size_t i = 0; i < size_; ++i) f[i] = g[i] - x[i];
    if (!lastF_.empty()) {
      std::vector<double> df(size_), dg(size_);
      for (std::size_t i = 0; i < size_; ++i) {
        df[i] = f[i] - lastF_[i];
        dg[i] = g[i] - lastG_[i];
      }
      dF_.push_back(df);
      dG_.push_back(dg);
      if (static_cast<int>(dF_.size()) > depth_) {
        dF_.erase(dF_.begin());
        dG_.erase(dG_.begin());
      }
    }
    lastF_ = f;
    lastG_ = g;
    // gamma minimising |f - dF gamma|: normal equations, small and regularised.
    const std::size_t k = dF_.size();
    std::vector<double> gamma(k, 0.0);
    if (k > 0) {
      std::vector<double> a(k * k), b(k);
      for (std::size_t p = 0; p < k; ++p) {
        for (std::size_t q = 0; q < k; ++q) {
          double sum = 0.0;
          for (std::size_t i = 0; i < size_; ++i) sum += dF_[p][i] * dF_[q][i];
          a[p * k + q] = sum;
        }
        double sum = 0.0;
        for (std::size_t i = 0; i < size_; ++i) sum += dF_[p][i] * f[i];
        b[p] = sum;
        a[p * k + p] *= 1.0 + 1e-10;
      }
      // Gaussian elimination with partial pivoting.
      for (std::size_t c = 0; c < k; ++c) {
        std::size_t piv = c;
        for (std::size_t r = c + 1; r < k; ++r)
          if (std::fabs(a[r * k + c]) > std::fabs(a[piv * k + c])) piv = r;
        if (a[piv * k + c] == 0.0) return restart(x, g);
        for (std::size_t q = 0; q < k; ++q) std::swap(a[c * k + q], a[piv * k + q]);
        std::swap(b[c], b[piv]);
        for (std::size_t r = c + 1; r < k; ++r) {
          const double l = a[r * k + c] / a[c * k + c];
          for (std::size_t q = c; q < k; ++q) a[r * k + q] -= l * a[c * k + q];
          b[r] -= l * b[c];
        }
      }
      for (std::size_t c = k; c-- > 0;) {
        double sum = b[c];
        for (std::size_t q = c + 1; q < k; ++q) sum -= a[c * k + q] * gamma[q];
        gamma[c] = sum / a[c * k + c];
      }
    }
    for (std::size_t i = 0; i < size_; ++i) {
      double v = g[i];
      for (std::size_t p = 0; p < k; ++p) v -= gamma[p] * dG_[p][i];
      x[i] = v;
    }
  }

 private:
  void restart(std::vector<double>& x, const std::vector<double>& g) {
    dF_.clear();
    dG_.clear();
    x = g;
  }
  std::size_t size_;
  int depth_;
  std::vector<double> lastF_, lastG_;
  std::vector<std::vector<double>> dF_, dG_;
};

// Curvature of the outline at t (positive where it turns anticlockwise).
double curvature(const SectionShape& shape, double t) {
  const double h = 1e-6;
  const Complex d1 = shape.tangent(t);
  const Complex d2 = (shape.tangent(std::min(t + h, 1.0)) - shape.tangent(std::max(t - h, 0.0))) / (2.0 * h);
  return (std::conj(d1) * d2).imag() / std::pow(std::abs(d1), 3);
}

// Whether p lies inside the polygon through n samples of the outline (its
// winding number).
bool inside(const SectionShape& shape, Complex p, int n = 1024) {
  double turn = 0.0;
  Complex before = shape.point(0.0) - p;
  for (int j = 1; j <= n; ++j) {
    const Complex now = shape.point(static_cast<double>(j) / n) - p;
    turn += arg(now / before);
    before = now;
  }
  return turn > kPi;
}

// The point inside the section near the nose about which the corner
// opening turns: half the nose radius behind the nose (for a Joukowski
// section about where the generating map has its second critical point),
// the nose being the point of largest curvature near the leading edge.
Complex openingCentre(const SectionShape& shape) {
  const double t0 = shape.leadingEdge();
  double best = t0, kmax = curvature(shape, t0);
  for (int j = -200; j <= 200; ++j) {
    const double t = t0 + 0.1 * j / 200.0;
    if (t <= 0.0 || t >= 1.0) continue;
    // The given leading edge keeps its place unless a point is clearly more
    // curved (a symmetric section keeps its symmetric map).
    const double k = curvature(shape, t);
    if (k > 1.01 * kmax) {
      kmax = k;
      best = t;
    }
  }
  const Complex nose = shape.point(best);
  const Complex tangent = shape.tangent(best);
  const Complex inward = Complex(0.0, 1.0) * tangent / std::abs(tangent);
  double depth = kmax > 1.0 ? 0.5 / kmax : 0.005;
  Complex z1 = nose + depth * inward;
  for (int tries = 0; tries < 30 && !inside(shape, z1); ++tries) {
    depth *= 0.5;
    z1 = nose + depth * inward;
  }
  return z1;
}

}  // namespace

std::shared_ptr<const NumericalMap> NumericalMap::build(const SectionShape& shape, std::string& why,
                                                        const NumericalMapSettings& settings) {
  const int m = settings.fftLength;
  if (m < 64 || m > 16384 || (m & (m - 1)) != 0) {
    why = "the map's FFT length must be a power of two from 64 to 16384";
    return nullptr;
  }
  std::shared_ptr<NumericalMap> map(new NumericalMap);
  NumericalMap& nm = *map;
  nm.m_ = m;

  // 1. The corner: its angle from the two surfaces' end tangents, the point
  //    inside near the nose, and the branch of the power along the outline.
  nm.zte_ = 0.5 * (shape.point(0.0) + shape.point(1.0));
  const Complex du = shape.tangent(0.0) / std::abs(shape.tangent(0.0));
  const Complex dl = -shape.tangent(1.0) / std::abs(shape.tangent(1.0));
  const double tau = arg(dl * std::conj(du));  // from the upper surface clockwise to the lower
  if (tau < -settings.cuspAngle) {
    why = "the two surfaces cross at the trailing edge";
    return nullptr;
  }
  nm.tau_ = tau < settings.cuspAngle ? 0.0 : tau;
  nm.k_ = 2.0 - nm.tau_ / kPi;
  nm.teDirection_ = arg(-(du + dl));
  nm.z1_ = openingCentre(shape);
  const double a0 = nm.teDirection_ - arg(nm.zte_ - nm.z1_);  // arg q leaving the edge downstream
  nm.wDirection_ = a0 / nm.k_;
  const OpenedOutline opened(shape, nm.zte_, nm.z1_, nm.k_, a0 + kPi - 0.5 * nm.tau_);
  if (std::fabs(opened.lowerArg() - (a0 - kPi + 0.5 * nm.tau_)) > 0.5 * kPi) {
    why = "the outline does not run once around the section from its trailing edge";
    return nullptr;
  }
  const NearCircle circle(opened);
  if (!circle.starShaped()) {
    why = "the outline, opened at its trailing edge, is not star-shaped about its centre";
    return nullptr;
  }
  nm.c_ = circle.centre();

  // 2. Theodorsen-Garrick: psi at theta + eps, the conjugate by FFT.  The
  //    first iterations run on 128 points, each level's converged eps (its
  //    series, evaluated between the points) starting the next with twice
  //    as many, so that the finest level starts near its answer.
  const std::size_t mm = static_cast<std::size_t>(m);
  std::size_t level = std::min<std::size_t>(128, mm);
  std::vector<double> eps(level, 0.0), psi, t(level, -1.0);
  std::vector<Complex> X;
  double change = 0.0;
  int it = 0;
  for (;;) {
    const RealFft realFft(static_cast<int>(level));
    const ComplexFft fft(static_cast<int>(level));
    const bool finest = level == mm;
    const double tolerance = finest ? settings.tolerance : 1e-7;
    std::vector<Complex> Y(level);
    X.assign(level / 2 + 1, Complex());
    psi.assign(level, 0.0);
    AndersonMixing mixing(level, 4);
    change = HUGE_VAL;
    for (int k = 1; k <= settings.maxIterations && it < settings.maxIterations; ++k) {
      ++it;
      for (std::size_t j = 0; j < level; ++j)
        t[j] = circle.invert(kTwoPi * static_cast<double>(j) / static_cast<double>(level) + eps[j], t[j], psi[j]);
      realFft.forward(psi.data(), X.data());
      // eps = sum (B_n cos n theta - A_n sin n theta) = Re sum (B_n + i A_n) e^{i n theta},
      // A_n = 2 Re X_n / M, B_n = -2 Im X_n / M; the Nyquist term is left out.
      std::fill(Y.begin(), Y.end(), Complex());
      for (std::size_t n = 1; n < level / 2; ++n)
        Y[n] = Complex(-2.0 * X[n].imag(), 2.0 * X[n].real()) / static_cast<double>(level);
      fft.transform(Y.data(), +1);
      std::vector<double> next(level);
      change = 0.0;
      for (std::size_t j = 0; j < level; ++j) {
        next[j] = Y[j].real();
        change = std::max(change, std::fabs(next[j] - eps[j]));
      }
      if (!std::isfinite(change)) break;
      if (change < tolerance) {
        eps = next;
        break;
      }
      mixing.step(eps, next);
    }
    if (!(change < tolerance) || finest) break;
    // eps on twice as many points: its series padded with zeros.
    std::vector<Complex> E(level / 2 + 1), Z(2 * level);
    realFft.forward(eps.data(), E.data());
    for (std::size_t n = 1; n < level / 2; ++n) Z[n] = 2.0 * E[n] / static_cast<double>(level);
    ComplexFft(static_cast<int>(2 * level)).transform(Z.data(), +1);
    std::vector<double> finer(2 * level), guesses(2 * level, -1.0);
    for (std::size_t j = 0; j < 2 * level; ++j) finer[j] = Z[j].real();
    for (std::size_t j = 0; j < level; ++j) guesses[2 * j] = t[j];
    eps = std::move(finer);
    t = std::move(guesses);
    level *= 2;
  }
  nm.iterations_ = it;
  nm.lastChange_ = change;
  if (!(change < settings.tolerance) || level != mm) {
    why = "the conformal map did not converge (" + std::to_string(nm.iterations_) + " iterations)";
    return nullptr;
  }
  // The coefficients of the last psi: a_n = A_n + i B_n; those below
  // round-off at the end of the series are left out.
  nm.R_ = std::exp(X[0].real() / m);
  nm.a_.assign(mm / 2, Complex());
  double largest = 0.0;
  for (std::size_t n = 1; n < mm / 2; ++n) {
    nm.a_[n] = Complex(2.0 * X[n].real(), -2.0 * X[n].imag()) / double(m);
    largest = std::max(largest, std::abs(nm.a_[n]));
  }
  while (nm.a_.size() > 2 && std::abs(nm.a_.back()) < 1e-17 * largest) nm.a_.pop_back();

  // 3. The circle angle of the trailing edge: theta + eps(theta) = phi_te.
  const double phiTe = circle.edgeAngle();
  double theta = phiTe;
  for (int k = 0; k < 50; ++k) {
    // eps = Im S and its slope -Re sum n a_n u^n at u = e^{-i theta}, by Horner.
    const Complex u = std::polar(1.0, -theta);
    Complex sum, nsum;
    for (std::size_t n = nm.a_.size() - 1; n >= 1; --n) {
      sum = (sum + nm.a_[n]) * u;
      nsum = (nsum + static_cast<double>(n) * nm.a_[n]) * u;
    }
    const double g = std::remainder(theta + sum.imag() - phiTe, kTwoPi);
    const double step = g / (1.0 - nsum.real());
    theta -= step;
    if (std::fabs(step) < 1e-16) break;
  }

  // The circle plane: Z = G w, so that zeta = Z + O(1) far away.
  nm.G_ = (nm.zte_ - nm.z1_) / (2.0 * nm.k_);
  nm.centre = 0.0;
  nm.r = std::abs(nm.G_) * nm.R_;
  nm.beta = -arg(nm.G_ * std::polar(1.0, theta));
  nm.len = 1.0;
  nm.origin = 0.0;
  // d0 and c1 by the trapezoidal rule on |Z| = 2r, where zeta is analytic.
  constexpr int kRing = 256;
  Complex d0, c1;
  for (int j = 0; j < kRing; ++j) {
    const Complex Z = std::polar(2.0 * nm.r, kTwoPi * j / kRing);
    const Complex f = nm.toChord(Z) - Z;
    d0 += f;
    c1 += f * Z;
  }
  nm.d0 = d0 / double(kRing);
  nm.c1 = c1 / double(kRing);

  // A cusp's speed at the edge needs d^2 zeta/dZ^2 there: the derivative
  // grows linearly from zero, d zeta/dZ ~ zeta'' (Z - Z_te); Richardson's
  // extrapolation of two difference quotients.
  if (nm.tau_ == 0.0) {
    const Complex Zte = std::polar(nm.r, -nm.beta);
    const double h = 1e-4;
    const Complex g1 = nm.derivative(Zte * (1.0 + h)) / (Zte * h);
    const Complex g2 = nm.derivative(Zte * (1.0 + 2.0 * h)) / (Zte * 2.0 * h);
    nm.cuspCurvature_ = std::abs(2.0 * g1 - g2);
  }
  return map;
}

Complex NumericalMap::nearCircle(Complex w, Complex* dzdw) const {
  // S = sum a_n u^n and, for the derivative, sum n a_n u^n, by Horner in
  // real arithmetic.
  const Complex u = R_ / w;
  const double ur = u.real(), ui = u.imag();
  double sr = 0.0, si = 0.0;
  if (!dzdw) {
    for (std::size_t n = a_.size() - 1; n >= 1; --n) {
      const double ar = sr + a_[n].real(), ai = si + a_[n].imag();
      sr = ar * ur - ai * ui;
      si = ar * ui + ai * ur;
    }
    return c_ + w * std::exp(Complex(sr, si));
  }
  double nr = 0.0, ni = 0.0;
  for (std::size_t n = a_.size() - 1; n >= 1; --n) {
    const double ar = sr + a_[n].real(), ai = si + a_[n].imag();
    const double br = nr + static_cast<double>(n) * a_[n].real(), bi = ni + static_cast<double>(n) * a_[n].imag();
    sr = ar * ur - ai * ui;
    si = ar * ui + ai * ur;
    nr = br * ur - bi * ui;
    ni = br * ui + bi * ur;
  }
  const Complex e = std::exp(Complex(sr, si));
  *dzdw = e * (1.0 - Complex(nr, ni));
  return c_ + w * e;
}

Complex NumericalMap::closeCorner(Complex zp, Complex* dzdzp) const {
  const Complex w = (zp - 1.0) / (zp + 1.0);
  if (std::abs(w) == 0.0) {
    if (dzdzp) *dzdzp = 0.0;
    return zte_;
  }
  const Complex lw = logAbout(w, wDirection_);
  const Complex q = std::exp(k_ * lw);
  if (dzdzp) {
    const Complex dqdw = k_ * std::exp((k_ - 1.0) * lw);
    const Complex dwdzp = 2.0 / ((zp + 1.0) * (zp + 1.0));
    *dzdzp = (zte_ - z1_) / ((1.0 - q) * (1.0 - q)) * dqdw * dwdzp;
  }
  return z1_ + (zte_ - z1_) / (1.0 - q);
}

Complex NumericalMap::openCorner(Complex z) const {
  const Complex q = (z - zte_) / (z - z1_);
  if (std::abs(q) == 0.0) return 1.0;
  const Complex w = std::exp(logAbout(q, k_ * wDirection_) / k_);
  return (1.0 + w) / (1.0 - w);
}

Complex NumericalMap::circleOf(Complex zp) const {
  Complex w = zp - c_;
  for (int it = 0; it < 40; ++it) {
    Complex d;
    const Complex f = nearCircle(w, &d) - zp;
    const Complex step = f / d;
    w -= step;
    if (std::abs(w) < R_) w *= R_ / std::abs(w);
    if (std::abs(step) < 1e-16 * std::abs(w)) break;
  }
  return w;
}

Complex NumericalMap::toChord(Complex Z) const { return closeCorner(nearCircle(Z / G_)); }

Complex NumericalMap::derivative(Complex Z) const {
  Complex dzpdw, dzdzp;
  closeCorner(nearCircle(Z / G_, &dzpdw), &dzdzp);
  return dzdzp * dzpdw / G_;
}

void NumericalMap::mapRings(const std::vector<double>& rho, int m, std::vector<Complex>& chord,
                            std::vector<Complex>* derivative) const {
  if (m < 2 || (m & (m - 1)) != 0) {
    SectionMap::mapRings(rho, m, chord, derivative);
    return;
  }
  const std::size_t mm = static_cast<std::size_t>(m);
  chord.resize(rho.size() * mm);
  if (derivative) derivative->resize(rho.size() * mm);
  const ComplexFft fft(m);
  std::vector<Complex> s(mm), t(derivative ? mm : 0);
  const double g = arg(G_), gAbs = std::abs(G_);
  // Ring point j: Z = rho e^{i theta_j}, w = Z/G, u = R/w = q e^{-i (theta_j - g)}
  // with q = R |G| / rho, so that S = sum_n (a_n q^n e^{i n g}) e^{-i n theta_j}.
  for (std::size_t k = 0; k < rho.size(); ++k) {
    const double q = R_ * gAbs / rho[k];
    // Terms below 1e-17 of the largest coefficient's size add nothing.
    std::size_t terms = a_.size() - 1;
    if (q < 1.0) terms = std::min(terms, static_cast<std::size_t>(std::ceil(-39.0 / std::log(q))));
    std::fill(s.begin(), s.end(), Complex());
    std::fill(t.begin(), t.end(), Complex());
    Complex factor = 1.0;
    const Complex step = std::polar(q, g);
    for (std::size_t n = 1; n <= terms; ++n) {
      factor *= step;
      const Complex c = a_[n] * factor;
      s[n % mm] += c;
      if (derivative) t[n % mm] += static_cast<double>(n) * c;
    }
    fft.transform(s.data(), -1);
    if (derivative) fft.transform(t.data(), -1);
    for (std::size_t j = 0; j < mm; ++j) {
      const double theta = kTwoPi * static_cast<double>(j) / m;
      const Complex w = std::polar(rho[k] / gAbs, theta - g);
      const Complex e = std::exp(s[j]);
      const Complex zp = c_ + w * e;
      if (!derivative) {
        chord[k * mm + j] = closeCorner(zp);
        continue;
      }
      Complex dzdzp;
      chord[k * mm + j] = closeCorner(zp, &dzdzp);
      (*derivative)[k * mm + j] = dzdzp * e * (1.0 - t[j]) / G_;
    }
  }
}

Complex NumericalMap::toCircle(Complex p) const {
  if (std::abs(p - zte_) == 0.0) return std::polar(r, -beta);
  return G_ * circleOf(openCorner(p));
}

double NumericalMap::trailingEdgeSpeed(double alpha) const {
  if (tau_ > 0.0) return 0.0;  // a wedge: the edge is a stagnation point
  return 2.0 * std::cos(alpha + beta) / (r * cuspCurvature_);
}

double NumericalMap::edgeAngle(double spread) const {
  // Bisection on the circle angle from the edge over the upper surface.
  double lo = 0.0, hi = kPi;
  for (int it = 0; it < 60; ++it) {
    const double mid = 0.5 * (lo + hi);
    const double d = std::abs(toChord(std::polar(r, -beta + mid)) - zte_);
    (d < spread ? lo : hi) = mid;
  }
  return 0.5 * (lo + hi);
}

}  // namespace aerofoil
