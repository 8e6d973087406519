#include "circle_fourier.h"

#include <cmath>
#include <stdexcept>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kTwoPi;
}

RealFft::RealFft(int m) : m_(m) {
  if (m < 4 || (m & (m - 1)) != 0) throw std::invalid_argument("FFT length must be a power of two >= 4");
  const int h = m / 2;
  bitReversed_.resize(static_cast<std::size_t>(h));
  int bits = 0;
  while ((1 << bits) < h) ++bits;
  for (int k = 0; k < h; ++k) {
    int rev = 0;
    for (int b = 0; b < bits; ++b)
      if (k & (1 << b)) rev |= 1 << (bits - 1 - b);
    bitReversed_[static_cast<std::size_t>(k)] = rev;
  }
  twiddle_.resize(static_cast<std::size_t>(h));
  for (int k = 0; k < h; ++k) twiddle_[static_cast<std::size_t>(k)] = std::polar(1.0, -kTwoPi * k / m);
}

void RealFft::forward(const double* x, std::complex<double>* X) const {
  using C = std::complex<double>;
  const int h = m_ / 2;
  // Even samples as real parts, odd ones as imaginary parts, in bit-reversed
  // order; then the butterflies of the length-h transform in place.
  for (int k = 0; k < h; ++k) X[bitReversed_[static_cast<std::size_t>(k)]] = C(x[2 * k], x[2 * k + 1]);
  for (int span = 2; span <= h; span *= 2) {
    const int stride = m_ / span, half = span / 2;
    for (int i = 0; i < h; i += span)
      for (int j = 0; j < half; ++j) {
        const C w = twiddle_[static_cast<std::size_t>(j * stride)];
        const C u = X[i + j];
        const C p = X[i + j + half];
        const C t(w.real() * p.real() - w.imag() * p.imag(), w.real() * p.imag() + w.imag() * p.real());
        X[i + j] = u + t;
        X[i + j + half] = u - t;
      }
  }
  // Split Z = E + i O (E, O the transforms of the even and odd samples):
  // X[k] = E[k] + exp(-2 pi i k/m) O[k], E[k] = (Z[k] + conj Z[h-k])/2,
  // O[k] = (Z[k] - conj Z[h-k])/2i; k and h - k are done together.
  const C z0 = X[0];
  X[0] = C(z0.real() + z0.imag(), 0.0);
  X[h] = C(z0.real() - z0.imag(), 0.0);
  for (int k = 1; k <= h / 2; ++k) {
    const int j = h - k;
    const C zk = X[k], zj = X[j];
    const C even = 0.5 * (zk + std::conj(zj));
    const C diff = zk - std::conj(zj);
    const C odd(0.5 * diff.imag(), -0.5 * diff.real());  // diff / 2i
    const C wk = twiddle_[static_cast<std::size_t>(k)], wj = twiddle_[static_cast<std::size_t>(j)];
    X[k] = even + wk * odd;
    X[j] = std::conj(even) + wj * std::conj(odd);
  }
}

ComplexFft::ComplexFft(int m) : m_(m) {
  if (m < 2 || (m & (m - 1)) != 0) throw std::invalid_argument("FFT length must be a power of two >= 2");
  int bits = 0;
  while ((1 << bits) < m) ++bits;
  bitReversed_.resize(static_cast<std::size_t>(m));
  for (int k = 0; k < m; ++k) {
    int rev = 0;
    for (int b = 0; b < bits; ++b)
      if (k & (1 << b)) rev |= 1 << (bits - 1 - b);
    bitReversed_[static_cast<std::size_t>(k)] = rev;
  }
  twiddle_.resize(static_cast<std::size_t>(m / 2));
  for (int k = 0; k < m / 2; ++k) twiddle_[static_cast<std::size_t>(k)] = std::polar(1.0, -kTwoPi * k / m);
}

void ComplexFft::transform(std::complex<double>* x, int sign) const {
  using C = std::complex<double>;
  for (int k = 0; k < m_; ++k) {
    const int j = bitReversed_[static_cast<std::size_t>(k)];
    if (j > k) std::swap(x[k], x[j]);
  }
  for (int span = 2; span <= m_; span *= 2) {
    const int stride = m_ / span, half = span / 2;
    for (int i = 0; i < m_; i += span)
      for (int j = 0; j < half; ++j) {
        const C tw = twiddle_[static_cast<std::size_t>(j * stride)];
        const C w = sign < 0 ? tw : std::conj(tw);
        const C u = x[i + j];
        const C t = w * x[i + j + half];
        x[i + j] = u + t;
        x[i + j + half] = u - t;
      }
  }
}

double TrigSeries::operator()(double x) const {
  // exp(i n x) by repeated rotation: the error grows as n times round-off.
  const std::complex<double> step = std::polar(1.0, x);
  std::complex<double> e = step;
  double f = a.empty() ? 0.0 : a[0];
  for (std::size_t n = 1; n < a.size(); ++n) {
    f += a[n] * e.real() + b[n] * e.imag();
    e *= step;
  }
  return f;
}

TrigSeries trigSeries(const RealFft& fft, const std::vector<double>& f) {
  const int m = fft.size(), k = m / 2;
  std::vector<std::complex<double>> X(static_cast<std::size_t>(k) + 1);
  fft.forward(f.data(), X.data());
  TrigSeries s;
  s.a.assign(static_cast<std::size_t>(k) + 1, 0.0);
  s.b.assign(static_cast<std::size_t>(k) + 1, 0.0);
  s.a[0] = X[0].real() / m;
  for (int n = 1; n < k; ++n) {
    s.a[static_cast<std::size_t>(n)] = 2.0 * X[static_cast<std::size_t>(n)].real() / m;
    s.b[static_cast<std::size_t>(n)] = -2.0 * X[static_cast<std::size_t>(n)].imag() / m;
  }
  s.a[static_cast<std::size_t>(k)] = X[static_cast<std::size_t>(k)].real() / m;
  return s;
}

TrigSeries conjugate(const TrigSeries& s) {
  TrigSeries c;
  const std::size_t k = s.a.size();
  c.a.assign(k, 0.0);
  c.b.assign(k, 0.0);
  for (std::size_t n = 1; n + 1 < k; ++n) {
    c.a[n] = -s.b[n];
    c.b[n] = s.a[n];
  }
  return c;
}

}  // namespace aerofoil
