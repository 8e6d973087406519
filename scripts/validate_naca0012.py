#!/usr/bin/env python3
"""NACA 0012 against the wind tunnel and against the peer program, side by side in one run.

The measurements (../shared/validation/naca0012/, see its README) are the truth: Ladson's tripped
lift and drag at Re 6 million, McCroskey's lift line through many tunnels (taken at Mach 0, as
this program is incompressible: its slope divided by 1.0114), Gregory and O'Reilly's pressure
distributions at 0 and 10 degrees.  The peer (XFOIL, a yardstick, built once by
../shared/peer/build-xfoil.sh; never read its source) runs on this program's own contour.

usage: validate_naca0012.py path/to/veltaro-cli [--validation DIR] [--peer XFOIL] [--svg FILE]
                            [--args "more veltaro-cli options"] [--no-peer]
prints: (1) the inviscid lift of NACA 0012 and 4412 against the peer's with its paneling refined,
and the zero-lift angle of NACA 4412; (2) the viscous table, Re 6 million, tripped at x/c 0.05 on
both surfaces, 0 to 16 degrees: Cl and Cd of this program, of the peer and of the measurements,
with the median differences; (3) with --svg, a picture of the pressure distributions at 0 and 10
degrees (Re 2.88 million, tripped at x/c 0.05) over Gregory's.
Python 3 standard library only."""
import argparse, json, math, os, shlex, statistics, subprocess, sys, tempfile

here = os.path.dirname(os.path.abspath(__file__))
ap = argparse.ArgumentParser()
ap.add_argument('cli')
ap.add_argument('--validation', default=os.path.join(here, '..', '..', 'shared', 'validation', 'naca0012'))
ap.add_argument('--peer', default='/tmp/peer-xfoil/xfoil-O3')
ap.add_argument('--no-peer', action='store_true')
ap.add_argument('--svg', default='')
ap.add_argument('--args', default='', help='extra veltaro-cli options for the viscous runs, e.g. "--turbulence sa"')
a = ap.parse_args()
cli = os.path.abspath(a.cli)
work = tempfile.mkdtemp(prefix='naca0012-')
extra = shlex.split(a.args)
TRIP = ['--xtr-u', '0.05', '--xtr-l', '0.05']


def csv(name):
    lines = open(os.path.join(a.validation, name)).read().split('\n')
    head = lines[0].split(',')
    return [dict(zip(head, l.split(','))) for l in lines[1:] if l.strip()]


def ours(args):
    r = subprocess.run([cli] + args + ['--json', '-', '--outdir', work], capture_output=True, text=True, cwd=work)
    if not r.stdout.strip():
        sys.exit('veltaro-cli %s failed: %s' % (' '.join(args), r.stderr.strip()[-300:]))
    return json.loads(r.stdout)


peer_ok = not a.no_peer
if peer_ok and not os.access(a.peer, os.X_OK):
    subprocess.run(['bash', os.path.join(here, '..', '..', 'shared', 'peer', 'build-xfoil.sh')], check=False)
    peer_ok = os.access(a.peer, os.X_OK)


def peer(contour, commands, angles, cl_target=None):
    """The peer's polar file for the operating points asked (PACC), as {alpha: (cl, cd)}."""
    pol = os.path.join(work, 'peer_polar.txt')
    if os.path.exists(pol):
        os.remove(pol)
    ops = ''.join('ALFA %g\n' % t for t in angles) if cl_target is None else 'CL %g\n' % cl_target
    s = 'PLOP\nG\n\nLOAD %s\n%sOPER\n%sPACC\n%s\n\n%sPACC\n\nQUIT\n' % (contour, commands[0], commands[1], pol, ops)
    subprocess.run([a.peer], input=s, text=True, capture_output=True, cwd=work, timeout=900)
    out = {}
    for line in open(pol).read().splitlines() if os.path.exists(pol) else []:
        f = line.split()
        try:
            out[round(float(f[0]), 3)] = (float(f[1]), float(f[2]))
        except (ValueError, IndexError):
            pass
    return out


def contour(section, n=400):
    path = os.path.join(work, section + '.dat')
    ours(['--naca', section, '--n', str(n), '--contour', path])
    return path


# (1) Inviscid lift against the peer's refined paneling.
print('Inviscid lift (the exact conformal map, N 256) against the peer on the same contour (N 400 points):')
angles = list(range(-4, 13, 2))
for section in ('0012', '4412'):
    rows = ours(['--naca', section, '--sweep', '-4:12:2'])
    mine = {round(r['alpha'], 3): r['clift'] for r in rows}
    if not peer_ok:
        print('  NACA %s: %s' % (section, ', '.join('%g: %.4f' % (t, mine[t]) for t in angles)))
        continue
    path = contour(section)
    refined = {}
    for panels in (160, 240, 320, 400, 480):
        refined[panels] = peer(path, ('PPAR\nN %d\n\n\n' % panels, ''), angles)
    finest, before = refined[480], refined[400]
    print('  NACA %s  alpha   ours     peer(480 panels)  diff %%   peer 400 -> 480 panels' % section)
    for t in angles:
        p, q = finest.get(t, (float('nan'),))[0], before.get(t, (float('nan'),))[0]
        d = 100 * (mine[t] - p) / p if abs(p) > 1e-3 else float('nan')
        print('          %5g  %8.5f  %8.5f          %6.3f   %+.5f' % (t, mine[t], p, d, p - q))
    if section == '4412':
        zero = ours(['--naca', section])['aerofoil']['alpha_zero_lift']
        zp = peer(path, ('PPAR\nN 480\n\n\n', ''), [], cl_target=0.0)
        za = next(iter(zp)) if zp else float('nan')
        print('  NACA 4412 zero-lift angle: ours %.4f deg, peer %.4f deg (difference %.4f)' % (zero, za, zero - za))

# (2) The viscous table.
ladson = [(float(r['alpha_deg']), float(r['cl']), float(r['cd'])) for r in csv('ladson-re6M-tripped.csv')]
line = csv('mccroskey-lift-line.csv')
slope = float(line[-1]['cl']) / float(line[-1]['alpha_deg']) / 1.0114  # per degree, at Mach 0
rans = {float(r['alpha_deg']): (float(r['cl']), float(r['cd'])) for r in csv('rans-sa-reference.csv')}
rows = ours(['--naca', '0012', '--re-mill', '6', '--bl', '--viscous', '--sweep', '0:16:1'] + TRIP + extra)
mine = {round(r['alpha'], 3): r['viscous'] for r in rows if r.get('viscous')}
theirs = {}
if peer_ok:
    theirs = peer(contour('0012', 256), ('PANE\n', 'VISC 6e6\nVPAR\nXTR 0.05 0.05\n\nITER 150\n'),
                  list(range(0, 17)))


def interp(table, x, k):
    """Linear interpolation of column k of {alpha: row} at x (None outside)."""
    keys = sorted(t for t in table if table[t] is not None)
    for lo, hi in zip(keys, keys[1:]):
        if lo <= x <= hi:
            f = (x - lo) / (hi - lo)
            a_, b_ = table[lo][k], table[hi][k]
            return None if a_ is None or b_ is None else a_ + f * (b_ - a_)
    return None


mine_rows = {t: (v['cl'], v['cd'], v['converged']) for t, v in mine.items()}
print('\nNACA 0012, Re 6 million, tripped at x/c 0.05 on both surfaces (peer at Mach 0, as this program):')
print('  alpha   Cl ours  Cl peer  McCroskey   Cd ours  Cd peer  Ladson(alpha)')
dcl_m, dcd_l, dcl_p, dcd_p = [], [], [], []
lad = {round(t, 2): (cl, cd) for t, cl, cd in ladson}
for t in range(0, 17):
    o, p = mine_rows.get(float(t)), theirs.get(float(t))
    m = slope * t
    # Ladson's angles are not whole degrees: ours is taken at his, between ours.
    near = min(ladson, key=lambda r: abs(r[0] - t))
    lcd = '%.5f (%.2f)' % (near[2], near[0]) if abs(near[0] - t) < 0.35 else '-'
    print('  %5d   %7s  %7s  %8.4f   %8s  %8s  %s' % (
        t, '%.4f' % o[0] if o else '-', '%.4f' % p[0] if p else '-', m,
        '%.5f' % o[1] if o else '-', '%.5f' % p[1] if p else '-', lcd) + ('' if not o or o[2] else '  (not settled)'))
    if o and 2 <= t <= 12:
        dcl_m.append(abs(o[0] - m) / m * 100)
    if o and p and t >= 2:
        dcl_p.append(abs(o[0] - p[0]) / abs(p[0]) * 100)
    if o and p:
        dcd_p.append(abs(o[1] - p[1]) / p[1] * 100)
for t, cl, cd in ladson:
    if 0 <= t <= 12:
        oc = interp({k: (v[0], v[1]) for k, v in mine_rows.items()}, t, 1)
        if oc is not None:
            dcd_l.append(abs(oc - cd) / cd * 100)
print('  median |dCl| against McCroskey (Mach 0), 2-12 deg: %.1f %%' % statistics.median(dcl_m))
print('  median |dCd| against Ladson, 0-12 deg: %.1f %%' % statistics.median(dcd_l))
if dcl_p:
    print('  against the peer: median |dCl| %.1f %%, median |dCd| %.1f %%' % (statistics.median(dcl_p),
                                                                              statistics.median(dcd_p)))
peak = max(mine_rows.items(), key=lambda kv: kv[1][0] if kv[1][2] else -1)
print('  maximum lift (settled angles): %.4f at %g deg (Ladson: 1.6116 at 17.13 deg)' % (peak[1][0], peak[0]))
if 10.0 in mine_rows:
    print('  at 10 deg against the same turbulence model in the full equations (RANS, fully turbulent): '
          'Cl %.4f / %.4f, Cd %.5f / %.5f' % (mine_rows[10.0][0], rans[10][0], mine_rows[10.0][1], rans[10][1]))


# (3) The pressure distributions against Gregory's.
def pressures(alpha):
    """x/c and Cp of the inviscid flow (result file) and of the viscous one (JSON surfaces)."""
    for f in os.listdir(work):
        if f.startswith('Airfoil_'):
            os.remove(os.path.join(work, f))
    j = ours(['--naca', '0012', '--alpha', str(alpha), '--re-mill', '2.88', '--bl', '--viscous', '--save'] +
             TRIP + extra)
    table = [l.split() for l in open(os.path.join(work, 'Airfoil_1.out')).read().splitlines()[7:] if l.strip()]
    x = [float(r[0]) for r in table]
    inviscid = [(float(r[0]), float(r[2])) for r in table]
    n = len(x) - 1
    viscous = []
    for s in j['surfaces']:
        w = s.get('wall_nodes', len(s['ue']))
        for k in range(1, w):  # node k + 1; the wall ends one contour point before the wedge's edge
            i = (w - k) if s['name'] == 'upper' else (n - w + k)
            viscous.append((s['name'], x[i], 1 - s['ue'][k] ** 2))
    return inviscid, viscous


if a.svg:
    gregory = csv('gregory-cp.csv')
    W, H, M = 900, 420, 50
    panels = []
    for col, alpha in enumerate((0, 10)):
        inv, vis = pressures(alpha)
        cps = [c for _, c in inv] + [c for *_, c in vis]
        lo, hi = min(-1.0, min(cps)), 1.05
        X = lambda x: M + col * W / 2 + x * (W / 2 - 1.5 * M)
        Y = lambda c: 30 + (c - lo) / (hi - lo) * (H - 70)
        svg = ['<text x="%g" y="20" font-size="13">NACA 0012, alpha %d: Cp against x/c</text>' % (X(0), alpha)]
        svg.append('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="#888"/>' % (X(0), Y(0), X(1), Y(0)))
        for c in range(math.ceil(lo), 2):
            svg.append('<text x="%g" y="%g" font-size="10" text-anchor="end">%d</text>' % (X(0) - 4, Y(c) + 3, c))
        for side in ('upper', 'lower'):
            pts = [(x, c) for s, x, c in vis if s == side]  # along the surface from the stagnation point
            svg.append('<polyline fill="none" stroke="red" points="%s"/>' % ' '.join('%.1f,%.1f' % (X(x), Y(c))
                                                                                     for x, c in pts))
        half = len(inv) // 2
        for part in (inv[:half + 1], inv[half:]):
            svg.append('<polyline fill="none" stroke="black" stroke-dasharray="4,3" points="%s"/>' % ' '.join(
                '%.1f,%.1f' % (X(x), Y(c)) for x, c in part))
        for r in gregory:
            if int(float(r['alpha_deg'])) == alpha:
                svg.append('<circle cx="%.1f" cy="%.1f" r="3" fill="none" stroke="blue"/>' % (
                    X(float(r['x_over_c'])), Y(float(r['cp']))))
        panels += svg
    legend = ('<text x="%d" y="%d" font-size="11">red: this program, viscous (Re 2.88 million, tripped at x/c 0.05);'
              ' dashed: inviscid; circles: Gregory and O\'Reilly</text>' % (M, H - 8))
    with open(a.svg, 'w') as f:
        f.write('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">\n<rect width="100%%" height="100%%" '
                'fill="white"/>\n%s\n%s\n</svg>\n' % (W, H, '\n'.join(panels), legend))
    print('\npressure distributions at 0 and 10 degrees drawn over Gregory\'s: %s' % a.svg)
