#!/usr/bin/env python3
"""An independent march of a turbulent boundary layer, for checking the
program's march on measured layers.

  python3 scripts/thin_layer_march.py [--layer samuel-joubert|wieghardt]
                                      [--model sa|algebraic|both]
                                      [--cli build/cli/veltaro-cli] [--dx 0.005]
                                      [--start coles|measured]

It shares nothing with the program but the physics: the thin-layer
equations in primitive variables on a fixed physical grid y (metres, from
the wall to well outside the layer),

    du/dx + dv/dy = 0
    u du/dx + v du/dy = ue due/dx + d/dy((nu + nu_t) du/dy)

with the Spalart-Allmaras transport equation for nu~ (standard form without
the laminar-suppression term, published constants) or the two-layer
algebraic eddy viscosity (inner mixing length with van Driest damping,
outer Clauser value from the displacement thickness), marched in x by the
second-order backward difference, implicit in y: at each station the
momentum equation (u du/dx linearised by Newton, v lagged) is a tridiagonal
system in u, v follows from continuity by the trapezoidal rule, then the
nu~ equation (destruction implicit) is another tridiagonal system;
iterated until u and nu~ settle.  Velocities are in units of U0, so that
nu = 1 / (U0/nu per metre).

The start is the program's (Coles's composite profile fitted to the measured
theta and H at the first station; nu~ from the algebraic eddy viscosity of
that profile), built here anew, or the measured profile itself
(--start measured).  With --cli it runs veltaro-cli on the same edge
velocity and start and prints both side by side with the measurements.
Python 3 standard library only.
"""
import argparse
import csv
import json
import math
import os
import subprocess
import sys
import tempfile

KAPPA, B_LOG = 0.41, 5.0

# Spalart-Allmaras, standard constants.
CB1, SIGMA, CB2 = 0.1355, 2.0 / 3.0, 0.622
CW1 = CB1 / KAPPA ** 2 + (1.0 + CB2) / SIGMA
CW2, CW3, CV1 = 0.3, 2.0, 7.1
FREE_STREAM = 3.0  # nu~ / nu outside the layer


def read_csv(path):
    with open(path, newline="") as f:
        return [{k: (float(v) if v not in ("", None) else None) for k, v in row.items()} for row in csv.DictReader(f)]


# The edge velocity through the wall taps: the same natural cubic spline as
# the validation script builds, so that both marches see one edge velocity.
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from validate_layers import spline as natural_spline  # noqa: E402


def thomas(a, b, c, r):
    """a_j x_{j-1} + b_j x_j + c_j x_{j+1} = r_j, j = 0..n-1 (a_0 = c_{n-1} = 0)."""
    n = len(b)
    cp, rp = [0.0] * n, [0.0] * n
    cp[0], rp[0] = c[0] / b[0], r[0] / b[0]
    for j in range(1, n):
        m = b[j] - a[j] * cp[j - 1]
        cp[j] = c[j] / m
        rp[j] = (r[j] - a[j] * rp[j - 1]) / m
    x = [0.0] * n
    x[-1] = rp[-1]
    for j in range(n - 2, -1, -1):
        x[j] = rp[j] - cp[j] * x[j + 1]
    return x


# ---------------------------------------------------------------- start
def spalding_yplus(up):
    k = KAPPA * up
    return up + math.exp(-KAPPA * B_LOG) * (math.exp(k) - 1 - k - k * k / 2 - k ** 3 / 6)


def wall_uplus(yp):
    """Spalding's law inverted by bisection (robust, monotone)."""
    lo, hi = 0.0, max(yp, 1.0) if yp < 10 else math.log(yp) / KAPPA + B_LOG + 5
    while spalding_yplus(hi) < yp:
        hi *= 1.5
    for _ in range(80):
        mid = 0.5 * (lo + hi)
        if spalding_yplus(mid) < yp:
            lo = mid
        else:
            hi = mid
    return 0.5 * (lo + hi)


def coles(u_tau, pi, nu, ue):
    """Coles's composite profile u(y): Spalding's wall law plus the wake
    2 Pi / kappa sin^2(pi y / 2 delta), delta where it reaches ue."""
    ue_plus = ue / u_tau
    # delta+ where the wall law plus the full wake reach ue+.
    delta_plus = spalding_yplus(ue_plus - 2 * pi / KAPPA)
    delta = delta_plus * nu / u_tau

    def u(y):
        if y >= delta:
            return ue
        yp = y * u_tau / nu
        return u_tau * (wall_uplus(yp) + 2 * pi / KAPPA * math.sin(math.pi * y / (2 * delta)) ** 2)
    return u, delta


def thicknesses(ys, us, ue):
    d1 = d2 = 0.0
    for j in range(1, len(ys)):
        h = ys[j] - ys[j - 1]
        a0, a1 = us[j - 1] / ue, us[j] / ue
        d1 += 0.5 * h * ((1 - a0) + (1 - a1))
        d2 += 0.5 * h * (a0 * (1 - a0) + a1 * (1 - a1))
    return d1, d2


def fit_coles(theta, H, nu, ue):
    """u_tau and Pi of the composite profile with the given theta and H
    (Newton with difference derivatives, on a fine grid of its own)."""
    def integrals(u_tau, pi):
        u, delta = coles(u_tau, pi, nu, ue)
        # fine log-spaced grid to delta
        n = 600
        y0 = 0.01 * nu / u_tau
        ys = [0.0] + [y0 * (delta / y0) ** (k / (n - 1)) for k in range(n)]
        us = [u(y) for y in ys]
        us[-1] = ue
        return thicknesses(ys, us, ue)
    u_tau, pi = ue * math.sqrt(0.0015), 0.5
    for _ in range(60):
        d1, d2 = integrals(u_tau, pi)
        f1, f2 = math.log(d2 / theta), d1 / d2 - H
        if abs(f1) < 1e-10 and abs(f2) < 1e-10:
            break
        e = 1e-6
        a1, b1 = integrals(u_tau * (1 + e), pi)
        a2, b2 = integrals(u_tau, pi + e)
        j11, j21 = (math.log(b1 / theta) - f1) / e, (a1 / b1 - H - f2) / e
        j12, j22 = (math.log(b2 / theta) - f1) / e, (a2 / b2 - H - f2) / e
        det = j11 * j22 - j12 * j21
        dl = -(j22 * f1 - j12 * f2) / det
        dp = -(-j21 * f1 + j11 * f2) / det
        s = min(1.0, 0.3 / max(abs(dl), abs(dp), 1e-30))
        u_tau *= math.exp(s * dl)
        pi += s * dp
    return u_tau, pi


# ---------------------------------------------------------------- models
def fv1(chi):
    c3 = chi ** 3
    return c3 / (c3 + CV1 ** 3)


def chi_of_nut(bt):
    """chi with chi fv1(chi) = bt (nu_t / nu), by bisection."""
    if bt <= 0:
        return 0.0
    lo, hi = 0.0, bt + CV1 + 1
    for _ in range(100):
        mid = 0.5 * (lo + hi)
        if mid * fv1(mid) < bt:
            lo = mid
        else:
            hi = mid
    return 0.5 * (lo + hi)


def dudy(ys, us):
    """Central first derivative on the uneven grid (one-sided at the ends)."""
    n = len(ys)
    g = [0.0] * n
    for j in range(1, n - 1):
        hm, hp = ys[j] - ys[j - 1], ys[j + 1] - ys[j]
        g[j] = (hm * hm * us[j + 1] - hp * hp * us[j - 1] + (hp * hp - hm * hm) * us[j]) / (hm * hp * (hm + hp))
    h1, h2 = ys[1] - ys[0], ys[2] - ys[0]
    g[0] = (-(h2 * h2) * us[0] + h2 * h2 * us[1] - h1 * h1 * us[2] + h1 * h1 * us[0]) / (h1 * h2 * (h2 - h1))
    g[-1] = (us[-1] - us[-2]) / (ys[-1] - ys[-2])
    return g


def algebraic_nut(ys, us, ue, nu):
    """The two-layer eddy viscosity of the program's model at high Re_theta
    (its constants there: outer alpha from Re_theta, kappa and A+ from
    Re_theta), written anew: nu_t = min(inner, outer) from the wall out."""
    d1, d2 = thicknesses(ys, us, ue)
    rt = ue * d2 / nu
    if rt > 10000:
        alpha = 0.016799973332135565
    elif rt < 100:
        alpha = 0.04149999052705189
    else:
        m = math.log10(rt)
        alpha = 0.001 * (194.8 + m * (-128.6 + m * (30.925 - 2.475 * m)))
    r = 0.001 * rt
    if r < 0.3:
        aplus, kap = 38.844036612965404, math.sqrt(0.3386947953279083)
    else:
        aplus, kap = 26 + 14 / (1 + r * r), 0.4 + 0.19 / (1 + 0.49 * r * r)
    g = dudy(ys, us)
    smax = max(abs(x) for x in g)
    u_star = math.sqrt(nu * smax)
    outer = alpha * ue * d1
    nut = [0.0] * len(ys)
    inner = True
    for j, y in enumerate(ys):
        if inner:
            ml = kap * y * (1 - math.exp(-y * u_star / (nu * aplus)))
            ni = ml * ml * abs(g[j])
            if ni < outer:
                nut[j] = ni
                continue
            inner = False
        nut[j] = outer
    return nut


def sa_terms(n, nu, omega, d):
    """Production and destruction of nu~ at a point (S~ limited as
    Allmaras, Johnson and Spalart 2012)."""
    chi = n / nu
    f1 = fv1(chi)
    fv2 = 1 - chi / (1 + chi * f1)
    sbar = n * fv2 / (KAPPA * KAPPA * d * d)
    if sbar >= -0.7 * omega:
        st = omega + sbar
    else:
        st = omega + omega * (0.7 ** 2 * omega + 0.9 * sbar) / ((0.9 - 2 * 0.7) * omega - sbar)
    if st <= 0:
        r = 10.0
    else:
        r = min(n / (st * KAPPA * KAPPA * d * d), 10.0)
    g = r + CW2 * (r ** 6 - r)
    fw = g * ((1 + CW3 ** 6) / (g ** 6 + CW3 ** 6)) ** (1 / 6)
    return CB1 * st * n, CW1 * fw * (n / d) ** 2


# ---------------------------------------------------------------- march
def convection(w, hm, hp, k):
    """Coefficients of w d/dy at a point (of its lower neighbour, itself,
    its upper neighbour): central, blended smoothly into upwind as the cell
    Peclet number |w| h / k passes 2 (a switch would let the iterations
    flip between the two)."""
    den = hm * hp * (hm + hp)
    central = (-w * hp * hp / den, w * (hp * hp - hm * hm) / den, w * hm * hm / den)
    upwind = (-w / hm, w / hm, 0.0) if w > 0 else (0.0, -w / hp, w / hp)
    pe = abs(w) * max(hm, hp) / max(k, 1e-300)
    t = 1.0 if pe <= 2 else 2 / pe
    return tuple(t * c + (1 - t) * u for c, u in zip(central, upwind))


class Layer:
    def __init__(self, ys, nu, model):
        self.ys, self.nu, self.model = ys, nu, model
        self.N = len(ys)

    def step(self, x_hist, u_hist, n_hist, ue_hist, x, ue, tol=1e-10, itmax=400):
        """Station x from the history (the last one or two stations)."""
        ys, nu, N = self.ys, self.nu, self.N
        if len(x_hist) == 1:
            dx = x - x_hist[-1]
            a3, a2, a1 = 1 / dx, -1 / dx, 0.0
            u1, n1 = u_hist[-1], n_hist[-1]
        else:
            d1, d2 = x - x_hist[-1], x_hist[-1] - x_hist[-2]
            a3 = (2 * d1 + d2) / (d1 * (d1 + d2))
            a2 = -(d1 + d2) / (d1 * d2)
            a1 = d1 / (d2 * (d1 + d2))
            u1, n1 = u_hist[-2], n_hist[-2]
        u2, n2 = u_hist[-1], n_hist[-1]
        ue1 = ue_hist[-2] if len(ue_hist) > 1 else ue_hist[-1]
        dpe = ue * (a3 * ue + a2 * ue_hist[-1] + a1 * ue1)  # ue due/dx, the same difference
        cu = [a2 * u2[j] + a1 * u1[j] for j in range(N)]
        cn = [a2 * n2[j] + a1 * n1[j] for j in range(N)]
        # first guess: the last station scaled to the new edge velocity
        u = [ui * ue / ue_hist[-1] for ui in u2]
        n = list(n2)
        v = self.continuity(u, cu, a3)
        for it in range(itmax):
            nut = self.eddy_viscosity(u, n, ue)
            k = [nu + t for t in nut]
            # momentum: U(a3 u + cu) + V du/dy - d/dy(k du/dy) = ue due/dx,
            # Newton on the first term.
            a, b, c, r = [0.0] * N, [1.0] * N, [0.0] * N, [0.0] * N
            r[-1] = ue
            for j in range(1, N - 1):
                hm, hp = ys[j] - ys[j - 1], ys[j + 1] - ys[j]
                h = 0.5 * (hm + hp)
                kp, km = 0.5 * (k[j] + k[j + 1]), 0.5 * (k[j] + k[j - 1])
                U = u[j]
                ca, cb, cc = convection(v[j], hm, hp, min(kp, km))
                a[j] = ca - km / (hm * h)
                c[j] = cc - kp / (hp * h)
                b[j] = cb + kp / (hp * h) + km / (hm * h) + (2 * a3 * U + cu[j])
                r[j] = dpe + U * (a3 * U)  # Newton: U(a3 U + cu) linearised about U
            b[0], r[0] = 1.0, 0.0
            unew = thomas(a, b, c, r)
            du = max(abs(unew[j] - u[j]) for j in range(N))
            u = unew
            v = self.continuity(u, cu, a3)
            dn = 0.0
            if self.model == "sa":
                # nu~ and the mean flow answer each other near the wall (a
                # larger nu_t, a smaller shear, less production): half steps.
                nnew = self.sa_step(u, v, n, cn, a3)
                big = max(nnew)
                dn = max(abs(nnew[j] - n[j]) for j in range(N)) / big
                n = [n[j] + 0.5 * (nnew[j] - n[j]) for j in range(N)]
            if du < tol and dn < 1e-8:
                break
        else:
            print(f"  station x = {x:.4f}: not settled ({du:.2e}, {dn:.2e})", file=sys.stderr)
        return u, n, v

    def continuity(self, u, cu, a3):
        ys = self.ys
        v = [0.0] * self.N
        dudx_prev = a3 * u[0] + cu[0]
        for j in range(1, self.N):
            dudx = a3 * u[j] + cu[j]
            v[j] = v[j - 1] - 0.5 * (ys[j] - ys[j - 1]) * (dudx + dudx_prev)
            dudx_prev = dudx
        return v

    def eddy_viscosity(self, u, n, ue):
        if self.model == "sa":
            return [ni * fv1(ni / self.nu) for ni in n]
        return algebraic_nut(self.ys, u, ue, self.nu)

    def sa_step(self, u, v, n, cn, a3):
        ys, nu, N = self.ys, self.nu, self.N
        g = dudy(ys, u)
        gn = dudy(ys, n)
        a, b, c, r = [0.0] * N, [1.0] * N, [0.0] * N, [0.0] * N
        r[-1] = FREE_STREAM * nu
        for j in range(1, N - 1):
            hm, hp = ys[j] - ys[j - 1], ys[j + 1] - ys[j]
            h = 0.5 * (hm + hp)
            kp = (nu + 0.5 * (n[j] + n[j + 1])) / SIGMA
            km = (nu + 0.5 * (n[j] + n[j - 1])) / SIGMA
            # the cb2 term as (cb2/sigma) dn/dy * d(n_new)/dy, its slope lagged
            w = v[j] - CB2 / SIGMA * gn[j]
            ca, cb, cc = convection(w, hm, hp, min(kp, km))
            # The source P - D with its slope (by a difference): with the
            # destruction alone implicit the iterations swing, since fw
            # grows with nu~ through r (d ln fw / d ln nu~ about 2.5 in the
            # log layer).  Where the slope is positive it stays explicit.
            nj = max(n[j], 1e-12 * nu)
            p0, d0 = sa_terms(nj, nu, abs(g[j]), ys[j])
            p1, d1 = sa_terms(nj * (1 + 1e-6), nu, abs(g[j]), ys[j])
            q0, slope = p0 - d0, ((p1 - d1) - (p0 - d0)) / (1e-6 * nj)
            U = max(u[j], 0.0)
            a[j] = ca - km / (hm * h)
            c[j] = cc - kp / (hp * h)
            b[j] = cb + kp / (hp * h) + km / (hm * h) + U * a3
            r[j] = q0 - U * cn[j]
            if slope < 0:
                b[j] -= slope
                r[j] -= slope * nj
        b[0], r[0] = 1.0, 0.0
        out = thomas(a, b, c, r)
        return [max(x, 0.0) for x in out]


def grid(y1, ratio, ymax):
    ys = [0.0, y1]
    h = y1
    while ys[-1] < ymax:
        h *= ratio
        ys.append(ys[-1] + h)
    return ys


def march(stations_x, ue_of, nu, theta0, H0, model, ymax, y1, ratio, start_profile=None):
    """Marches from stations_x[0] with the given start; returns per station
    (x, ue, theta, H, Cf)."""
    x0 = stations_x[0]
    ue0 = ue_of(x0)
    ys = grid(y1, ratio, ymax)
    if start_profile is None:
        u_tau, pi = fit_coles(theta0, H0, nu, ue0)
        prof, delta = coles(u_tau, pi, nu, ue0)
        u0 = [prof(y) for y in ys]
    else:
        u0, delta = start_profile(ys, ue0)
    # nu~ from the algebraic eddy viscosity inside the layer; the outer
    # law's constant value would reach across the whole grid, so beyond the
    # layer (1.2 delta, where the program's grid ends) the free stream's.
    nut0 = algebraic_nut(ys, u0, ue0, nu)
    n0 = [nu * chi_of_nut(t / nu) if y <= 1.2 * delta else FREE_STREAM * nu for t, y in zip(nut0, ys)]
    layer = Layer(ys, nu, model)
    out = []
    xs_h, us_h, ns_h, ues_h = [x0], [u0], [n0], [ue0]

    def record(x, ue, u):
        d1, d2 = thicknesses(ys, u, ue)
        # wall shear: quadratic through the wall and the first two points
        h1, h2 = ys[1], ys[2]
        s = (u[1] * h2 * h2 - u[2] * h1 * h1) / (h1 * h2 * (h2 - h1))
        out.append((x, ue, d2, d1 / d2, 2 * nu * s / (ue * ue)))
    record(x0, ue0, u0)
    for x in stations_x[1:]:
        ue = ue_of(x)
        u, n, v = layer.step(xs_h[-2:], us_h[-2:], ns_h[-2:], ues_h[-2:], x, ue)
        xs_h.append(x)
        us_h.append(u)
        ns_h.append(n)
        ues_h.append(ue)
        xs_h, us_h, ns_h, ues_h = xs_h[-2:], us_h[-2:], ns_h[-2:], ues_h[-2:]
        record(x, ue, u)
    return out, ys


def at(rows, x, k):
    for i in range(len(rows) - 1):
        if rows[i][0] <= x + 1e-12 <= rows[i + 1][0] + 1e-12:
            t = (x - rows[i][0]) / (rows[i + 1][0] - rows[i][0])
            return rows[i][k] * (1 - t) + rows[i + 1][k] * t
    return rows[-1][k]


def cli_march(cli, table, re_per_m, theta, h, model, workdir):
    path = os.path.join(workdir, "table.txt")
    with open(path, "w") as f:
        for s, ue in table:
            f.write(f"{s:.6f} {ue:.8f}\n")
    out = os.path.join(workdir, f"{model}.json")
    cmd = [cli, "--surface", path, "--start-theta", repr(theta), "--start-h", repr(h),
           "--re-mill", repr(re_per_m / 1e6), "--turbulence", model, "--outdir", workdir, "--json", out]
    run = subprocess.run(cmd, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"{' '.join(cmd)} failed: {run.stderr.strip()}")
    r = json.load(open(out))["surfaces"][0]
    return [(s, ue, d2, h12, cf) for s, ue, d2, h12, cf in zip(r["s"], r["ue"], r["d2"], r["h12"], r["cf"])]


def measured_start(profiles, x0, theta, H):
    """The measured u/ue(y) at the first station, with Spalding's wall law
    below the first measured point (its u_tau from the Clauser fit of that
    point)."""
    pts = sorted((p["y_m"], p["u_over_ue"]) for p in profiles if abs(p["x_m"] - x0) < 1e-9)

    def build(ys, ue, nu):
        y_first, u_first = pts[0]
        # u_tau from the wall law through the first measured point
        lo, hi = 1e-4, 0.2
        for _ in range(100):
            ut = 0.5 * (lo + hi)
            if ut * wall_uplus(y_first * ut / nu) < u_first * ue:
                lo = ut
            else:
                hi = ut
        ut = 0.5 * (lo + hi)
        out = []
        for y in ys:
            if y <= y_first:
                out.append(ut * wall_uplus(y * ut / nu))
            elif y >= pts[-1][0]:
                out.append(ue)
            else:
                k = next(i for i in range(len(pts) - 1) if pts[i + 1][0] >= y)
                t = (y - pts[k][0]) / (pts[k + 1][0] - pts[k][0])
                out.append(ue * (pts[k][1] * (1 - t) + pts[k + 1][1] * t))
        return out, next(p[0] for p in pts if p[1] >= 0.995)
    return build


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--layer", default="samuel-joubert", choices=["samuel-joubert", "wieghardt"])
    ap.add_argument("--model", default="both", choices=["sa", "algebraic", "both"])
    ap.add_argument("--cli", default=None, help="veltaro-cli to compare with (default: build/cli/veltaro-cli if present)")
    ap.add_argument("--data", default=os.path.join(here, "..", "..", "shared", "validation", "boundary-layers"))
    ap.add_argument("--dx", type=float, default=0.01, help="station spacing, m")
    ap.add_argument("--ratio", type=float, default=1.06, help="grid step ratio across the layer")
    ap.add_argument("--yplus1", type=float, default=0.3, help="first grid point, wall units at the start")
    ap.add_argument("--start", default="coles", choices=["coles", "measured"])
    a = ap.parse_args()
    cli = a.cli or os.path.join(here, "..", "build", "cli", "veltaro-cli")
    have_cli = os.path.exists(cli)

    if a.layer == "samuel-joubert":
        edge = read_csv(os.path.join(a.data, "samuel-joubert-edge.csv"))
        st = read_csv(os.path.join(a.data, "samuel-joubert-stations.csv"))
        ue_of = natural_spline([e["x_m"] for e in edge], [e["ue_over_U0"] for e in edge])
        re_per_m, first, cfkey, ymax = 1.7e6, st[0], "cf_preston", 0.25
        compare = st[1:]
    else:
        st = read_csv(os.path.join(a.data, "wieghardt-plate-stations.csv"))
        ue_of = lambda x: 1.0  # noqa: E731
        re_per_m, first, cfkey, ymax = 33.0 / 1.51e-5, st[1], "cf", 0.2
        compare = st[2:]
    nu = 1.0 / re_per_m
    x0, x1 = first["x_m"], compare[-1]["x_m"]
    m = int(round((x1 - x0) / a.dx))
    xs = [x0 + a.dx * k for k in range(m + 1)]
    if xs[-1] < x1 - 1e-12:
        xs.append(x1)
    u_tau0 = ue_of(x0) * math.sqrt(0.5 * (first.get(cfkey) or 0.003))
    y1 = a.yplus1 * nu / u_tau0
    start = None
    if a.start == "measured":
        profiles = read_csv(os.path.join(a.data, "samuel-joubert-profiles.csv"))
        build = measured_start(profiles, x0, first["theta_m"], first["H"])
        start = lambda ys, ue: build(ys, ue, nu)  # noqa: E731
    models = ["algebraic", "sa"] if a.model == "both" else [a.model]
    print(f"{a.layer}: U0/nu {re_per_m:.4g} per metre, start x = {x0} m (theta {first['theta_m']}, H {first['H']}, "
          f"{a.start} profile), dx {a.dx} m, grid ratio {a.ratio}, first point y+ {a.yplus1}, top {ymax} m")
    with tempfile.TemporaryDirectory() as work:
        for model in models:
            rows, ys = march(xs, ue_of, nu, first["theta_m"], first["H"], model, ymax, y1, a.ratio, start)
            prog = cli_march(cli, [(x, ue_of(x)) for x in xs], re_per_m, first["theta_m"], first["H"], model,
                             work) if have_cli else None
            print(f"\n  {model} ({len(ys)} grid points):")
            print("   x (m)   H meas  H here  H prog   theta meas  here     prog     Cf meas  Cf here  Cf prog")
            for s in compare:
                x = s["x_m"]
                line = (f"   {x:5.3f}   {s['H']:6.4f}  {at(rows, x, 3):6.4f}  "
                        f"{at(prog, x, 3) if prog else float('nan'):6.4f}   {s['theta_m'] * 1e3:7.3f}  "
                        f"{at(rows, x, 2) * 1e3:7.3f}  {at(prog, x, 2) * 1e3 if prog else float('nan'):7.3f}  "
                        f"{s[cfkey]:.5f}  {at(rows, x, 4):.5f}  {at(prog, x, 4) if prog else float('nan'):.5f}")
                print(line)


if __name__ == "__main__":
    main()
