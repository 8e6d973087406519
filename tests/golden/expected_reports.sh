#!/usr/bin/env bash
# Every printed digit of the command line's reports, standard output and JSON
# summary, kept as expected files for a few small runs: the window session
# (alpha 12, SAVE RESULT, BL Calculation) on a coarse contour with the
# solver's diagnostic lines, a cambered section, a section with free
# transition (the lower surface turns turbulent by Michel's criterion, the
# upper one at its laminar separation), a polar sweep, a section the
# boundary-layer side refuses, and a viscous analysis (its default closure,
# Spalart-Allmaras; the reports of its last sweep, with the wakes).  The numbers were checked against
# classical solutions by the validation tests; this test keeps them as they
# are.  A recalculation repeats the passes (the validation and window tests
# see to that) and is not run here; the starting profile (init2d.OUT) does
# not depend on the section and is kept once, with the session.
#
# The libm of the machine enters through pow and exp; the expected files are
# those of Debian 12 (glibc 2.36) on x86-64.
#
#   expected_reports.sh CLI COMPARE EXPECTED            compare
#   expected_reports.sh CLI COMPARE EXPECTED --update   write the expected
#                                                       files anew after an
#                                                       intended change
# COMPARE is the report_compare program; a difference is reported with its
# file, line and column, and a file not among the expected ones is one too.
# VELTARO_EXACT=1 compares byte for byte.
set -euo pipefail
cli=$(readlink -f "$1")
compare=$(readlink -f "$2")
expected=$3
mode=${4:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A sweep's result is its table.  The session and the refused run add the
# summary (its layout and full digits; the cambered section's numbers are
# pinned by its reports) and the solver's diagnostic lines.
cases=(
  "session:--n 64 --np 31 --save --bl --json summary.json --verbose"
  "cambered:--alpha 4 --e 0.1 --h 0.1 --n 96 --np 31 --save --bl"
  "free:--alpha 4 --n 64 --np 31 --str-u 10 --str-l 10 --bl"
  "sweep:--n 64 --np 31 --sweep 0:2:2 --bl"
  "refused:--e 0 --n 64 --bl --json summary.json --verbose"
  "viscous:--alpha 4 --e 0.1 --h 0.05 --n 64 --np 21 --bl --viscous --json summary.json"
)
for entry in "${cases[@]}"; do
  name=${entry%%:*}
  read -r -a args <<<"${entry#*:}"
  mkdir -p "$work/$name"
  # Run inside the case folder so that no path differs between machines.
  code=0
  (cd "$work/$name" && "$cli" "${args[@]}" >stdout 2>stderr) || code=$?
  echo "exit $code" >"$work/$name/status"
  # A long sweep reports its progress, which depends on the clock.
  sed -i -e 's/\r*sweep: [0-9]*\/[0-9]* angles//g' -e '/^$/d' "$work/$name/stderr"
  # A saved polar names the program's version, which moves on by itself.
  sed -i -e 's/^# Veltaro [^,]*, polar/# Veltaro <version>, polar/' "$work/$name/stdout"
done
# The starting profile of the cambered and the free-transition run is the
# session's.
rm -f "$work/cambered/init2d.OUT" "$work/free/init2d.OUT"

if [ "$mode" = "--update" ]; then
  rm -rf "$expected"
  cp -r "$work" "$expected"
  echo "wrote $expected"
  exit 0
fi
exact=()
[ "${VELTARO_EXACT:-0}" = 1 ] && exact=(--exact)
status=0
for entry in "${cases[@]}"; do
  name=${entry%%:*}
  "$compare" "${exact[@]}" "$expected/$name" "$work/$name" || status=1
done
[ $status = 0 ] && echo "every printed digit of ${#cases[@]} runs as expected"
exit $status
