#!/usr/bin/env bash
# The window and the command line run the same computations: a session in
# the real program (one Alpha step, SAVE RESULT, Export contour, BL
# Calculation, Recalculate; then NACA 4412 from the Section menu) and the
# matching veltaro-cli calls write byte-identical files.
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

# Another section, chosen from the Section menu: NACA 4412.  Its name
# line above the inputs moves the buttons down by one line.
xdotool windowfocus --sync "$win"
gui_menu_key "$win" s 3
naca=$(gui_wait_window "NACA section") || gui_fail "no NACA section dialog"
xdotool windowfocus --sync "$naca"
xdotool key ctrl+a
xdotool type 4412
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$win"
gui_click "$win" 115 541          # SAVE RESULT
gui_wait_file Airfoil_2.out || gui_fail "no result file of NACA 4412"
mkdir "$work/cli/naca"
(cd "$work/cli/naca" && "$cli" --naca 4412 --alpha 12.1 --save >/dev/null 2>&1) || gui_fail "veltaro-cli --naca failed"
cmp -s "$work/window/Airfoil_2.out" "$work/cli/naca/Airfoil_1.out" ||
  gui_fail "the result file of NACA 4412 differs between the window and veltaro-cli"
head -1 Airfoil_2.out | grep -q "NACA 4412" || gui_fail "the result file does not name NACA 4412"
gui_click "$win" 115 568          # BL Calculation
gui_wait_window "Boundary Layer. NACA 4412." >/dev/null || gui_fail "no boundary-layer window for NACA 4412"
gui_wait_passes 6

gui_quit "$win"
echo "window and command line: identical files"
