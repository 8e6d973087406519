#!/usr/bin/env bash
# The window and the command line run the same computations: a session in
# the real program (one Alpha step, SAVE RESULT, Export contour, BL
# Calculation, Recalculate) and the matching veltaro-cli call write
# byte-identical files.
# Usage: cli_equivalence.sh path/to/veltaro path/to/veltaro-cli
set -euo pipefail
exe=$1
cli=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

title='Boundary Layer. Joukowski aerofoil.'
gui_session
mkdir "$work/window" "$work/cli"
cd "$work/window"
gui_launch "$exe"
xdotool windowmove --sync "$win" 0 0
sleep 0.3

gui_click "$win" 141 103          # Alpha one step up: 12.1
gui_click "$win" 105 518          # SAVE RESULT
gui_wait_file Airfoil_1.out || gui_fail "no result file"
gui_save_as "$win" 3 "Export contour" "$work/window/contour.dat"
gui_wait_file contour.dat || gui_fail "Export contour wrote no contour.dat"
xdotool windowfocus --sync "$win"
gui_click "$win" 105 542          # BL Calculation
dlg=$(gui_wait_window "$title") || gui_fail "boundary-layer window did not open"
gui_wait_passes 2
sleep 0.3
gui_click "$dlg" 88 610           # Recalculate
gui_wait_passes 4
sleep 0.5

# The dump reports are closed after each lower pass; the run-long ones are
# flushed after every pass, so the files can be compared while it runs.
(cd "$work/cli" && "$cli" --alpha 12.1 --save --bl --recalc 1 --contour contour.dat >/dev/null) ||
  gui_fail "veltaro-cli failed"
for f in Airfoil_1.out contour.dat sxr_ue.out CalcBl.out InputBl.out init2d.OUT NetFunc.out Debug.out; do
  [ -f "$work/cli/$f" ] || gui_fail "veltaro-cli wrote no $f"
  cmp -s "$work/window/$f" "$work/cli/$f" || gui_fail "$f differs between the window and veltaro-cli"
done
[ "$(grep -c 'The end of b.l. computation' "$work/cli/CalcBl.out")" -eq 4 ] || gui_fail "pass count"

gui_quit "$win"
echo "window and command line: identical files"
