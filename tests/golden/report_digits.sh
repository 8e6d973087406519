#!/usr/bin/env bash
# Every printed digit of the command line's reports, standard output and JSON
# summary, pinned for four runs: the window session of the README (alpha 12.1,
# SAVE RESULT, BL Calculation, Recalculate), a fine contour on a fine grid, a
# low Reynolds number at negative incidence, and a polar sweep.  Any change
# to the order of the floating-point operations shows here as a different
# checksum; the numbers were checked against classical solutions by the
# validation tests, this test keeps them as they are.
#
# The libm of the machine enters through pow and exp; the checksums are those
# of Debian 12 (glibc 2.36) on x86-64.
#
#   report_digits.sh CLI MANIFEST            compare (exit 1 on a change)
#   report_digits.sh CLI MANIFEST --update   rewrite the manifest after an
#                                            intended change of the numbers
set -euo pipefail
cli=$1
manifest=$2
mode=${3:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cases=(
  "session:--alpha 12.1 --save --bl --recalc 1"
  "fine:--n 1024 --np 161 --bl"
  "low_re:--alpha -3 --re-mill 2 --bl"
  "sweep:--sweep 0:10:2 --bl"
)
for entry in "${cases[@]}"; do
  name=${entry%%:*}
  read -r -a args <<<"${entry#*:}"
  mkdir -p "$work/$name"
  # Run inside the case folder so that no path differs between machines.
  json=(--json summary.json)
  [ "$name" = sweep ] && json=()  # a sweep's result is its table
  code=0
  (cd "$work/$name" && "$cli" "${args[@]}" "${json[@]}" --verbose >stdout 2>stderr) || code=$?
  echo "exit $code" >"$work/$name/status"
  # A long sweep reports its progress, which depends on the clock.
  sed -i -e 's/\r*sweep: [0-9]*\/[0-9]* angles//g' -e '/^$/d' "$work/$name/stderr"
done

(cd "$work" && find . -type f | LC_ALL=C sort | xargs sha256sum) >"$work.sums"
if [ "$mode" = "--update" ]; then
  cp "$work.sums" "$manifest"
  echo "wrote $manifest"
  rm -f "$work.sums"
  exit 0
fi
if diff -u "$manifest" "$work.sums"; then
  rm -f "$work.sums"
  echo "all $(wc -l <"$manifest") files carry the pinned digits"
else
  rm -f "$work.sums"
  echo "the files above changed: their printed digits are no longer those pinned" >&2
  exit 1
fi
