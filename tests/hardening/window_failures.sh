#!/usr/bin/env bash
# End-to-end: the window when its folder cannot take the files it writes.
#   1. The working folder is removed under the running program: SAVE RESULT
#      and BL Calculation each show an error box, and the program goes on.
#   2. A file-size limit cuts the long report and result files off part-way:
#      the boundary-layer window says so in an error box, SAVE RESULT says
#      so and leaves no half-written result file.  The program goes on and
#      quits with exit code 0.
# As root no permission bit stops a write; a removed folder and a file-size
# limit (with SIGXFSZ ignored, so that the write fails with EFBIG) do.
# Usage: window_failures.sh path/to/veltaro
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")/../gui" && pwd)
source "$here/lib.sh"

gui_session

# Waits for a message box with this title, dismisses it with Return and
# waits until it is gone.
dismiss_box() {  # title what
  local box
  box=$(gui_wait_window "$1" 20) || gui_fail "no '$1' box: $2"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  gui_fail "the '$1' box did not close"
}

alive() { kill -0 "$APP_PID" 2>/dev/null || gui_fail "the program ended: $1"; }

# 1. The folder goes away under the program.
mkdir "$work/gone"
(cd "$work/gone" && exec "$exe" >"$work/app1.log" 2>&1) &
APP_PID=$!
win=$(gui_wait_window "Joukowski Aerofoil") || gui_fail "aerofoil window did not appear"
xdotool windowmove --sync "$win" 0 0
sleep 0.3
rmdir "$work/gone"

gui_click "$win" 105 518   # SAVE RESULT
dismiss_box "SAVE RESULT" "saving into a removed folder"
alive "after the failed save"
gui_click "$win" 105 542   # BL Calculation: the split report cannot be written
dismiss_box "BL Calculation" "splitting with a removed folder"
alive "after the failed hand-over"
xdotool search --onlyvisible --name '^Boundary Layer' >/dev/null 2>&1 &&
  gui_fail "a boundary-layer window opened without its split"
# The window still computes: one step of Alpha, then quit.
gui_click "$win" 141 103
alive "after a step of Alpha"
gui_quit "$win"

# 2. Files cut off part-way: at most 20 KiB per file, enough for the split
# report of N = 256 (17 KiB), not for the march's input report (44 KiB).
mkdir "$work/small"
(cd "$work/small" && trap '' XFSZ && ulimit -f 20 && exec "$exe" >"$work/app2.log" 2>&1) &
APP_PID=$!
win=$(gui_wait_window "Joukowski Aerofoil") || gui_fail "aerofoil window did not appear (2)"
xdotool windowmove --sync "$win" 0 0
sleep 0.3

gui_click "$win" 105 542   # BL Calculation: the march reports outgrow the limit
dismiss_box "Boundary layer" "reports cut off part-way"
alive "after the cut-off reports"
dlg=$(gui_wait_window 'Boundary Layer. Joukowski aerofoil.') || gui_fail "no boundary-layer window"

# N = 1000: a result file of 52 KiB.
xdotool windowfocus --sync "$win"
gui_click "$win" 72 50 3
xdotool type --delay 30 "1000"
xdotool key Return
sleep 0.5
gui_click "$win" 105 518   # SAVE RESULT
dismiss_box "SAVE RESULT" "a result file cut off part-way"
alive "after the cut-off result file"
[ -e "$work/small/Airfoil_1.out" ] && gui_fail "a half-written Airfoil_1.out was left behind"
gui_quit "$win"
echo "window failure paths: PASS"
