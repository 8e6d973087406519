#!/usr/bin/env python3
"""Health of fine polars: does every angle compute, and is every drag
estimate either smooth or marked?

Runs veltaro-cli --sweep A0:A1:DA --bl --json - over a set of sections
(thin and thick, symmetric and cambered), Reynolds numbers and transition
settings (tripped near the nose, or free), and counts per polar:

  failed   angles without a boundary layer
  limit    angles computed with a station accepted at the Newton
           iteration limit (marked "converged": false) or with another
           caution (a surface separating at the nose)
  jumps    drag estimates more than 2 % away from the mean of their
           neighbours, unmarked (the neighbours are the nearest unmarked
           angles with an estimate on either side)
  marked   of those jumps, how many were marked

  python3 scripts/polar_health.py [--cli build/cli/veltaro-cli] [--quick]

--quick runs the default section's polar of the report that started this
(0..10 degrees in steps of 0.025, Re 10 million, tripped) alone.  Exit code
1 when any angle failed or any unmarked jump was found.
"""
import argparse
import json
import subprocess
import sys

SECTIONS = [  # name, e/R1, h/R1
    ("default, symmetric", 0.131, 0.0),
    ("thin, symmetric", 0.06, 0.0),
    ("thin, cambered", 0.08, 0.05),
    ("thick, cambered", 0.2, 0.08),
]
REYNOLDS = [1.0, 10.0]  # millions
TRANSITION = {"tripped": [], "free": ["--str-u", "10", "--str-l", "10"]}
SWEEP = "-4:12:0.05"
JUMP = 0.02


def polar(cli, e, h, re_mill, transition, sweep):
    args = [cli, "--sweep", sweep, "--bl", "--e", str(e), "--h", str(h), "--re-mill", str(re_mill),
            "--json", "-"] + TRANSITION[transition]
    out = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, check=False)
    return json.loads(out.stdout)


def marked(row):
    # A row is marked when it failed, did not converge, or carries a caution
    # (a surface separating at the nose: its drag estimate is not a
    # prediction).  Older builds give neither key: every row that computed
    # counts as unmarked there.
    return "failed" in row or row.get("converged") is False or bool(row.get("cautions"))


def health(rows):
    failed = sum(1 for r in rows if "failed" in r)
    limit = sum(1 for r in rows if "failed" not in r and marked(r))
    good = [i for i, r in enumerate(rows) if not marked(r) and r.get("cd_squire_young") is not None]
    jumps = jumps_marked = 0
    for i, r in enumerate(rows):
        cd = r.get("cd_squire_young")
        if cd is None:
            continue
        before = [k for k in good if k < i]
        after = [k for k in good if k > i]
        if not before or not after:
            continue
        mean = 0.5 * (rows[before[-1]]["cd_squire_young"] + rows[after[0]]["cd_squire_young"])
        if abs(cd - mean) > JUMP * mean:
            if marked(r):
                jumps_marked += 1
            else:
                jumps += 1
    return len(rows), failed, limit, jumps, jumps_marked


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/cli/veltaro-cli")
    ap.add_argument("--quick", action="store_true")
    a = ap.parse_args()
    cases = [("default, symmetric", 0.131, 0.0, 10.0, "tripped", "0:10:0.025")]
    if not a.quick:
        cases += [(n, e, h, re, t, SWEEP) for n, e, h in SECTIONS for re in REYNOLDS for t in TRANSITION]
    print(f"{'section':20} {'e/R1':>5} {'h/R1':>5} {'Re(mill)':>8} {'transition':>10} {'angles':>12} "
          f"{'angles':>6} {'failed':>6} {'limit':>6} {'jumps':>6} {'marked':>6}")
    total = [0] * 5
    for name, e, h, re, t, sweep in cases:
        counts = health(polar(a.cli, e, h, re, t, sweep))
        total = [x + y for x, y in zip(total, counts)]
        print(f"{name:20} {e:5.3f} {h:5.3f} {re:8g} {t:>10} {sweep:>12} " +
              " ".join(f"{c:6d}" for c in counts), flush=True)
    print(f"{'all':20} {'':5} {'':5} {'':8} {'':10} {'':12} " + " ".join(f"{c:6d}" for c in total))
    return 1 if total[1] or total[3] else 0


if __name__ == "__main__":
    sys.exit(main())
