#!/usr/bin/env bash
# report_compare must fail on a changed digit outside the convergence
# columns, on a shifted layout and on a missing line, and pass a changed
# residual digit (of a station row, an iteration-limit line and a dump's
# dumax line), a signed zero in a dump and a JSON number written with one
# digit more.
set -euo pipefail
compare=$1
expected=$2   # a folder of expected files with CalcBl.out and summary.json
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

row=$(grep -n -m1 -E '^ {4}[0-9] 0\.[0-9]{5}E' "$expected/CalcBl.out" | cut -d: -f1)
check() {  # WHAT WANT(0|1) FILE SED
  cp "$expected/$3" "$work/$3"
  sed -i "$4" "$work/$3"
  cmp -s "$expected/$3" "$work/$3" && { echo "$1: the edit changed nothing"; exit 1; }
  local got=0
  "$compare" "$expected/$3" "$work/$3" >"$work/out" || got=$?
  if [ "$got" != "$2" ]; then echo "$1: exit $got, expected $2"; cat "$work/out"; exit 1; fi
  echo "ok: $1"
}
# Columns of a station row: 6 + 12 k starts real k (0 = x), DUmax at 78.
check "changed edge velocity" 1 CalcBl.out "${row}s/^\(.\{18\}\)\(.\)/\1X/;${row}y/X/9/"
check "changed DUmax digit" 0 CalcBl.out "${row}s/^\(.\{82\}\)./\19/"
check "changed JUmax" 0 CalcBl.out "${row}s/^\(.\{93\}\)./\17/"
check "number moved one column" 1 CalcBl.out "${row}s/^\(.\{5\}\) \(.*\)$/\1\2 /"
check "line missing" 1 CalcBl.out "${row}d"
check "JSON digit more" 0 summary.json 's/\([0-9]\{12\}\)\([,]\)$/\15\2/'
check "JSON value changed" 1 summary.json '0,/"clift": \([0-9]\)/s//"clift": 9\1/'

# Lines the expected files do not hold, made up in the solver's layout: only
# the correction at the end of an iteration-limit line and the dumps' dumax
# with its grid point are residuals.
line_check() {  # WHAT WANT(0|1) LINE EDITED-LINE
  printf '%s\n' "$3" >"$work/want.out"
  printf '%s\n' "$4" >"$work/got.out"
  local got=0
  "$compare" "$work/want.out" "$work/got.out" >"$work/out" || got=$?
  if [ "$got" != "$2" ]; then echo "$1: exit $got, expected $2"; cat "$work/out"; exit 1; fi
  echo "ok: $1"
}
limit=' k_iter > k_iterMax IT=   21 NX=   26   X=    0.12345E+00  UE=    0.98765E+00    0.31416E-05'
line_check "changed iteration-limit correction" 0 "$limit" "${limit/0.31416E-05/0.27183E-04}"
line_check "changed iteration-limit edge velocity" 1 "$limit" "${limit/0.98765E+00/0.98764E+00}"
dumax='           dumax=    0.31416E-05   17 dhmax=    0.00000E+00    0'
line_check "changed dumax and its grid point" 0 "$dumax" "${dumax/0.31416E-05   17/0.27183E-04    9}"
line_check "changed dhmax" 1 "$dumax" "${dumax/0.00000E+00/0.10000E-02}"
