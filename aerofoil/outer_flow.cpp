#include "outer_flow.h"

#include <cmath>
#include <stdexcept>

#include "constants.h"

namespace aerofoil {

namespace {
using constants::kPi;
using constants::kTwoPi;

int defaultFftLength(int n) {
  int m = 16;
  while (m < n) m *= 2;
  return m;
}

// 1/d without the library's guarded complex division.
Complex reciprocal(Complex d) { return std::conj(d) / std::norm(d); }

// sum_{n=1}^{terms} c_n eta^n, c_n = n (B_n - i A_n): the smooth part of the
// transpiration off the circle, by Horner in real arithmetic.
Complex smoothSeries(const OuterSolution& s, Complex eta, int terms) {
  const double er = eta.real(), ei = eta.imag();
  double sr = 0.0, si = 0.0;
  for (int k = terms; k >= 1; --k) {
    const std::size_t kk = static_cast<std::size_t>(k);
    const double ar = sr + k * s.fluxB[kk], ai = si - k * s.fluxA[kk];
    sr = ar * er - ai * ei;
    si = ar * ei + ai * er;
  }
  return Complex(sr, si);
}

// Weights of the slope at xs[2] of the quartic through xs[0..4].
void slopeWeights(const double* xs, double* w) {
  const double x = xs[2];
  for (int k = 0; k < 5; ++k) {
    double num = 0.0, den = 1.0;
    for (int j = 0; j < 5; ++j) {
      if (j == k) continue;
      den *= xs[k] - xs[j];
      double prod = 1.0;  // d/dx of prod_{l != k} (x - xs[l]): drop factor j
      for (int l = 0; l < 5; ++l)
        if (l != k && l != j) prod *= x - xs[l];
      num += prod;
    }
    w[k] = num / den;
  }
}

// Weights on P(h_k), k = 1..kEdgeFitPoints, of c1 and c2 in P = c1 h + c2 h^2 +
// ...: the polynomial through P_k/h_k and its slope, at h = 0.
void edgeFitWeights(const double* h, double* slope, double* curvature) {
  for (int k = 0; k < kEdgeFitPoints; ++k) {
    double l0 = 1.0, dl = 0.0;
    for (int j = 0; j < kEdgeFitPoints; ++j)
      if (j != k) {
        l0 *= -h[j] / (h[k] - h[j]);
        dl -= 1.0 / h[j];
      }
    slope[k] = l0 / h[k];
    curvature[k] = l0 * dl / h[k];
  }
}
}  // namespace

OuterFlow::OuterFlow(const Joukowski& af, int fftLength, double edgeSpread, bool edgeStep)
    : cp_(circlePlane(af)),
      vBare_(af.v),
      n_(af.currentN),
      fft_(fftLength > 0 ? fftLength : defaultFftLength(af.currentN)),
      te_(af.x.front(), af.y.front()),
      edgeStep_(edgeStep) {
  const int n = n_, m = fft_.size();
  const std::size_t nn = static_cast<std::size_t>(n);
  harmonics_ = m / 2 - 1;

  if (!(edgeSpread > 0.0)) throw std::invalid_argument("edge spread must be positive");
  // The circle angle whose image lies edgeSpread from the edge.
  rho_ = 1.0 + cp_.map->edgeAngle(edgeSpread);

  // Circle angle from the trailing edge, |dzeta/dz| and the edge terms at
  // the contour points.
  x_.resize(nn + 1);
  invMap_.assign(nn + 1, 0.0);
  cornerPrimitive_.assign(nn + 1, 0.0);
  cornerConj_.assign(nn + 1, 0.0);
  stepPrimitive_.assign(nn + 1, 0.0);
  stepConj_.assign(nn + 1, 0.0);
  for (std::size_t i = 0; i <= nn; ++i) {
    x_[i] = cp_.phi[i] + cp_.beta;
    if (i == 0 || i == nn) continue;
    const Complex w = std::polar(1.0, -x_[i]);
    invMap_[i] = 1.0 / mapModulus(cp_, cp_.phi[i]);
    cornerPrimitive_[i] = edgeCornerPrimitive(x_[i]);
    cornerConj_[i] = -edgeCorner(w).imag();
    stepPrimitive_[i] = edgeStepPrimitive(x_[i]);
    stepConj_[i] = -edgeStepSpread(w, rho_).imag();
  }
  x_.front() = 0.0;
  x_.back() = kTwoPi;
  // The speed leaving the edge, the limit of 2 [sin(phi - alpha) +
  // sin(alpha + beta)] / |dzeta/dz|: finite at a cusp, zero at a wedge.
  // (The Joukowski section's stored value carries the factor (1 + e cos
  // beta)/(1 + e) besides, a closed form of the symmetric section; kept there
  // as printed, replaced here, where the flux next to the edge is
  // differenced against it.)
  vBare_.front() = cp_.map->trailingEdgeSpeed(cp_.alpha);
  wedge_ = cp_.map->trailingEdgeAngle() > 0.0;
  vBare_.back() = -vBare_.front();
  stepConjEdge_ = -edgeStepSpread(1.0, rho_).imag();
  double upper[kEdgeFitPoints], lower[kEdgeFitPoints];
  for (std::size_t k = 0; k < kEdgeFitPoints; ++k) {
    upper[k] = x_[k + 1];
    lower[k] = kTwoPi - x_[nn - 1 - k];
  }
  edgeFitWeights(upper, slopeFit_[0], curvatureFit_[0]);
  edgeFitWeights(lower, slopeFit_[1], curvatureFit_[1]);

  // Cubic Hermite interpolation of the periodic flux onto the FFT grid, the
  // slopes from the quartic through five neighbouring points.
  auto at = [&](int i) {  // angle of point i of the periodic extension
    const int wrap = (i % n + n) % n;
    return x_[static_cast<std::size_t>(wrap)] + kTwoPi * ((i - wrap) / n);
  };
  const std::size_t stencil = kGridStencil;
  gridNode_.resize(stencil * static_cast<std::size_t>(m));
  gridWeight_.resize(stencil * static_cast<std::size_t>(m));
  int i = 0;
  for (int j = 0; j < m; ++j) {
    const double psi = kTwoPi * j / m;
    while (at(i + 1) <= psi) ++i;
    double xs[kGridStencil];
    for (int q = 0; q < kGridStencil; ++q) xs[q] = at(i - 2 + q);
    const double h = xs[3] - xs[2], t = (psi - xs[2]) / h;
    const double h00 = (2 * t - 3) * t * t + 1, h10 = ((t - 2) * t + 1) * t;
    const double h01 = (3 - 2 * t) * t * t, h11 = (t - 1) * t * t;
    double slope0[5], slope1[5];
    slopeWeights(xs, slope0);
    slopeWeights(xs + 1, slope1);
    double w[kGridStencil] = {};
    w[2] += h00;
    w[3] += h01;
    for (int q = 0; q < 5; ++q) {
      w[q] += h10 * h * slope0[q];
      w[q + 1] += h11 * h * slope1[q];
    }
    for (int q = 0; q < kGridStencil; ++q) {
      const std::size_t slot = stencil * static_cast<std::size_t>(j) + static_cast<std::size_t>(q);
      gridNode_[slot] = ((i - 2 + q) % n + n) % n;
      gridWeight_[slot] = w[q];
    }
  }

  // cos n x_i and sin n x_i by rotation, restarted every 32 harmonics; one
  // row per harmonic, so that a solve sweeps the rows point by point.
  const std::size_t hh = static_cast<std::size_t>(harmonics_), row = nn + 1;
  cosTable_.resize(row * hh);
  sinTable_.resize(row * hh);
  for (std::size_t p = 0; p <= nn; ++p) {
    const double c1 = std::cos(x_[p]), s1 = std::sin(x_[p]);
    double c = c1, s = s1;
    for (std::size_t k = 0; k < hh; ++k) {
      if (k % 32 == 31) {
        c = std::cos(static_cast<double>(k + 1) * x_[p]);
        s = std::sin(static_cast<double>(k + 1) * x_[p]);
      }
      cosTable_[k * row + p] = c;
      sinTable_[k * row + p] = s;
      const double next = c * c1 - s * s1;
      s = s * c1 + c * s1;
      c = next;
    }
  }

  // The speed increment at the trailing edge: the cubic through points 1, 2
  // and N-1, N-2 (the lower side's speed with its sign turned, at negative
  // angles) taken at the edge.
  const double xi[4] = {x_[1], x_[2], x_[nn - 1] - kTwoPi, x_[nn - 2] - kTwoPi};
  for (int k = 0; k < 4; ++k) {
    double w = 1.0;
    for (int q = 0; q < 4; ++q)
      if (q != k) w *= -xi[q] / (xi[k] - xi[q]);
    edgeWeight_[k] = k < 2 ? w : -w;
  }
}

double OuterFlow::bareGamma() const { return 4.0 * kPi * cp_.r * std::sin(cp_.alpha + cp_.beta) / cp_.len; }

Complex OuterFlow::transpirationConj(const OuterSolution& s, Complex eta, int terms) const {
  // eta [a_0 + sum c_n eta^n + kappa f(eta)], c_n = n (B_n - i A_n), by Horner.
  terms = std::min(terms, static_cast<int>(s.fluxA.size()) - 1);
  const Complex sum = smoothSeries(s, eta, terms);
  return eta * (s.sourceMean + sum + s.cornerStrength * edgeCorner(eta) +
                s.stepStrength * edgeStepSpread(eta, rho_));
}

void OuterFlow::solve(const std::vector<double>& m, const std::vector<double>& wakeFlux,
                      OuterSolution& out) const {
  const int n = n_, M = fft_.size(), H = harmonics_, K = wake_.panels();
  const std::size_t nn = static_cast<std::size_t>(n), hh = static_cast<std::size_t>(H);
  if (m.size() != nn + 1) throw std::invalid_argument("mass defect: one value per contour point");
  if (static_cast<int>(wakeFlux.size()) != K) throw std::invalid_argument("wake flux: one value per panel");

  // 1. The flux through the circle from the trailing edge to angle x, in
  //    circle-plane units: Phi_i = (len/r)(m_0 - m_i), so that v_r = dPhi/dx.
  //    Its mean slope a_0 is the net outflow; G = Phi - a_0 x is periodic.
  const double scale = cp_.len / cp_.r;
  const double a0 = scale * (m[0] - m[nn]) / kTwoPi;
  std::vector<double> g(nn);
  for (std::size_t i = 0; i < nn; ++i) g[i] = scale * (m[0] - m[i]) - a0 * x_[i];

  // 2. Phi rises from the edge as c1 x + c2 x^2 over the upper surface and
  //    d1 y + d2 y^2 back from the lower one (y = 2 pi - x): v_r steps by
  //    c1 + d1 at the edge and dv_r/dx by 2 (c2 - d2).  Both are taken out
  //    with the closed-form edge terms; the smooth rest goes to the FFT.
  double c1 = 0.0, c2 = 0.0, d1 = 0.0, d2 = 0.0;
  for (std::size_t k = 0; k < kEdgeFitPoints; ++k) {
    const double up = scale * (m[0] - m[k + 1]), down = scale * (m[nn] - m[nn - 1 - k]);
    c1 += slopeFit_[0][k] * up;
    c2 += curvatureFit_[0][k] * up;
    d1 += slopeFit_[1][k] * down;
    d2 += curvatureFit_[1][k] * down;
  }
  const double step = edgeStep_ ? -(c1 + d1) / kPi : 0.0;
  const double kappa = -2.0 * (c2 - d2) / kPi;
  for (std::size_t i = 0; i < nn; ++i) g[i] -= step * stepPrimitive_[i] + kappa * cornerPrimitive_[i];

  std::vector<double> samples(static_cast<std::size_t>(M));
  for (std::size_t j = 0; j < samples.size(); ++j) {
    double s = 0.0;
    for (std::size_t q = kGridStencil * j; q < kGridStencil * (j + 1); ++q)
      s += gridWeight_[q] * g[static_cast<std::size_t>(gridNode_[q])];
    samples[j] = s;
  }
  std::vector<Complex> X(static_cast<std::size_t>(M / 2 + 1));
  fft_.forward(samples.data(), X.data());

  // 3. G = sum A_n cos nx + B_n sin nx; v_r = G' and its conjugate
  //    v_theta = sum n (A_n cos nx + B_n sin nx).
  out.sourceMean = a0;
  out.cornerStrength = kappa;
  out.stepStrength = step;
  out.fluxA.assign(hh + 1, 0.0);
  out.fluxB.assign(hh + 1, 0.0);
  std::vector<double> ca(hh), cb(hh);
  // Clockwise induced speed on the circle at the edge: the step counts
  // spread; the corner term vanishes there.
  double kuttaBody = -step * stepConjEdge_;
  for (std::size_t k = 1; k <= hh; ++k) {
    out.fluxA[k] = 2.0 * X[k].real() / M;
    out.fluxB[k] = -2.0 * X[k].imag() / M;
    ca[k - 1] = static_cast<double>(k) * out.fluxA[k];
    cb[k - 1] = static_cast<double>(k) * out.fluxB[k];
    kuttaBody -= ca[k - 1];
  }

  // 4. Kutta condition on the whole flow fixes the circulation (units of a).
  double kuttaWake = 0.0;
  for (int k = 0; k < K; ++k)
    kuttaWake += wakeOnKutta_[static_cast<std::size_t>(k)] * wakeFlux[static_cast<std::size_t>(k)];
  const double gammaA = kTwoPi * cp_.r * (2.0 * std::sin(cp_.alpha + cp_.beta) - kuttaBody - kuttaWake);
  out.gamma = gammaA / cp_.len;
  out.cl = 2.0 * out.gamma;

  // 5. Surface speed: the bare section's plus the induced clockwise speed
  //    less its value at the edge (which the circulation cancels), over
  //    |dzeta/dz|.  Both vanish at the edge; their ratio stays smooth.
  std::vector<double> vt(nn + 1);  // anticlockwise induced velocity on the circle
  for (std::size_t i = 0; i <= nn; ++i) vt[i] = kappa * cornerConj_[i] + step * stepConj_[i];
  for (std::size_t k = 0; k < hh; ++k) {
    const double a = ca[k], b = cb[k];
    const double* c = &cosTable_[k * (nn + 1)];
    const double* s = &sinTable_[k * (nn + 1)];
    for (std::size_t i = 0; i <= nn; ++i) vt[i] += a * c[i] + b * s[i];
  }
  out.v.assign(nn + 1, 0.0);
  for (std::size_t i = 1; i < nn; ++i) out.v[i] = (-vt[i] - kuttaBody) * invMap_[i];
  for (std::size_t k = 0; k < static_cast<std::size_t>(K); ++k) {
    const double q = wakeFlux[k];
    const double* w = &wakeOnSurface_[k * (nn + 1)];
    for (std::size_t i = 1; i < nn; ++i) out.v[i] += w[i] * q;
  }
  // At a wedge every part of the speed vanishes at the edge, as
  // |dzeta/dz|^(tau/(pi - tau)): the edge stays a stagnation point.
  const double dv0 = wedge_ ? 0.0
                            : edgeWeight_[0] * out.v[1] + edgeWeight_[1] * out.v[2] +
                                  edgeWeight_[2] * out.v[nn - 1] + edgeWeight_[3] * out.v[nn - 2];
  out.v[0] = dv0;
  out.v[nn] = -dv0;
  for (std::size_t i = 0; i <= nn; ++i) out.v[i] += vBare_[i];

  out.wakeFlux = wakeFlux;
  fillWakeVelocities(gammaA, out);
}

void OuterFlow::fillWakeVelocities(double gammaA, OuterSolution& out) const {
  const OuterSolution& s = out;
  const int K = wake_.panels();
  const std::size_t nw = static_cast<std::size_t>(K) + (K ? 1 : 0);
  out.wakeU.assign(nw, 0.0);
  out.wakeV.assign(nw, 0.0);
  out.wakeQ.assign(nw, 0.0);
  if (!K) return;
  // Point 0 is the trailing edge: the surface's speed there, along the bisector.
  const Complex edge = std::polar(s.v.empty() ? 0.0 : s.v.front(), cp_.map->trailingEdgeDirection());
  out.wakeU[0] = edge.real();
  out.wakeV[0] = edge.imag();
  out.wakeQ[0] = std::abs(edge);
  // The wake's own sources, panel by panel; then what is a fixed function
  // of each point.
  const std::size_t kk = static_cast<std::size_t>(K);
  std::vector<double> re(kk, 0.0), im(kk, 0.0);
  for (std::size_t k = 0; k < kk; ++k) {
    const double q = s.wakeFlux[k];
    const double* wr = &wakeOnWakeRe_[k * kk];
    const double* wi = &wakeOnWakeIm_[k * kk];
    for (std::size_t j = 0; j < kk; ++j) {
      re[j] += wr[j] * q;
      im[j] += wi[j] * q;
    }
  }
  for (std::size_t jj = 1; jj <= kk; ++jj) {
    Complex w =
        Complex(re[jj - 1], im[jj - 1]) + wakeFree_[jj] + gammaA * wakeCirc_[jj] +
        wakePre_[jj] * (s.sourceMean + s.cornerStrength * wakeCorner_[jj] + s.stepStrength * wakeStep_[jj]);
    // Smooth part of the transpiration: Horner over the harmonics needed.
    const int terms = std::min(wakeTerms_[jj], static_cast<int>(s.fluxA.size()) - 1);
    w += wakePre_[jj] * smoothSeries(s, wakeEta_[jj], terms);
    out.wakeU[jj] = w.real();
    out.wakeV[jj] = -w.imag();
    out.wakeQ[jj] = std::abs(w);
  }
}

OuterSolution OuterFlow::bareFlow(double gamma) const {
  OuterSolution s;
  s.gamma = gamma;
  s.cl = 2.0 * gamma;
  return s;
}

Complex OuterFlow::velocity(const OuterSolution& state, Complex p, bool wakeSources) const {
  const Complex z = toCircle(cp_, p);
  const Complex rel = z - cp_.centre;
  const Complex inv = reciprocal(rel);
  const Complex eta = cp_.r * std::polar(1.0, -cp_.beta) * inv;
  // Free stream, its image dipole and the circulation, circle plane.
  Complex w = circleFlowConj(cp_, z, state.gamma * cp_.len);
  w += std::polar(1.0, cp_.beta) * transpirationConj(state, eta, harmonics_);
  if (wakeSources && static_cast<int>(state.wakeFlux.size()) == wake_.panels()) {
    for (std::size_t q = 0; q < quad_.z.size(); ++q) {
      const Complex zq = quad_.z[q];
      const Complex image = cp_.centre + cp_.r * cp_.r * reciprocal(std::conj(zq - cp_.centre));
      const double flux = cp_.len * state.wakeFlux[static_cast<std::size_t>(quad_.panel[q])] * quad_.share[q];
      w += flux / kTwoPi * (reciprocal(z - zq) + reciprocal(z - image) - inv);
    }
  }
  return std::conj(w * reciprocal(mapDerivative(cp_, z)));
}

}  // namespace aerofoil
