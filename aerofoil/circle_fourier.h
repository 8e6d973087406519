// Fourier series on a circle and the conjugate-function operator.
//
// A radial velocity v_r(x) = a_0 + sum (a_n cos n x + b_n sin n x) on the
// circle (x the angle from a chosen origin) is the boundary value of the
// potential  phi = a_0 r ln rho - r sum (r/rho)^n (a_n cos n x + b_n sin n x)/n
// outside it, whose tangential velocity on the circle is the conjugate
// function  v_theta(x) = sum (a_n sin n x - b_n cos n x).  The
// coefficients come from M equally spaced samples by a radix-2 real FFT.
#pragma once

#include <complex>
#include <vector>

namespace aerofoil {

// Discrete Fourier transform of M real samples, M a power of two:
// X[n] = sum_j x[j] exp(-2 pi i n j / M) for n = 0..M/2.  Computed as a
// complex transform of length M/2 over the even and odd samples, split
// afterwards.
class RealFft {
 public:
  explicit RealFft(int m);  // m a power of two, at least 4
  int size() const { return m_; }
  // x: m samples; X: m/2 + 1 coefficients (also the work space).
  void forward(const double* x, std::complex<double>* X) const;

 private:
  int m_;
  std::vector<int> bitReversed_;               // of 0..m/2-1
  std::vector<std::complex<double>> twiddle_;  // exp(-2 pi i k / m), k < m/2
};

// Discrete Fourier transform of m complex samples, m a power of two, in
// place: x[n] <- sum_j x[j] exp(sign 2 pi i n j / m), sign -1 (forward) or +1.
class ComplexFft {
 public:
  explicit ComplexFft(int m);  // m a power of two, at least 2
  int size() const { return m_; }
  void transform(std::complex<double>* x, int sign) const;

 private:
  int m_;
  std::vector<int> bitReversed_;               // of 0..m-1
  std::vector<std::complex<double>> twiddle_;  // exp(-2 pi i k / m), k < m/2
};

// f(x) = a[0] + sum_{n=1}^{K} (a[n] cos n x + b[n] sin n x); b[0] unused.
struct TrigSeries {
  std::vector<double> a, b;
  double operator()(double x) const;
};

// The series through m equally spaced samples f[j] = f(2 pi j / m), with
// K = m/2; the Nyquist term carries a cosine only.
TrigSeries trigSeries(const RealFft& fft, const std::vector<double>& f);

// The conjugate function: coefficients (a_n, b_n) become (-b_n, a_n) and
// the mean is dropped.  The Nyquist term is dropped too: its conjugate
// vanishes at every sample, so samples cannot tell what it is.
TrigSeries conjugate(const TrigSeries& s);

}  // namespace aerofoil
