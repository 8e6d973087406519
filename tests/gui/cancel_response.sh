#!/usr/bin/env bash
# End-to-end: Cancel in the middle of a slow viscous angle answers within
# 0.2 s, in the polar window and in the boundary-layer window.  The section
# is thick (e/R1 0.45, 12 degrees, Re 6.6 million, Np 81): one viscous
# angle takes seconds.  "Answered" is the moment the computation's threads
# have ended and been joined, which the window does on the same wake-up
# that shows the cancelled state: the program's thread count back where it
# was before the computation (read from /proc every few milliseconds).
# Usage: cancel_response.sh path/to/veltaro
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

gui_session
cd "$work"
gui_launch "$exe"
xdotool windowmove --sync "$win" 0 0
sleep 0.3

threads() { awk '/^Threads:/ {print $2}' "/proc/$APP_PID/status"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
type_at() {  # window x y text
  xdotool windowfocus --sync "$1"
  xdotool mousemove --window "$1" "$2" "$3"
  xdotool click --repeat 3 --delay 80 1
  xdotool type --delay 30 -- "$4"
  xdotool key Return
  sleep 0.3
}
# Clicks Cancel (window x y) while more than `idle` threads run, and says
# how many milliseconds pass until only `idle` are left.
cancel_time() {  # window x y idle what
  local start t
  [ "$(threads)" -gt "$4" ] || gui_fail "$5: no computation running when Cancel was to be clicked"
  xdotool mousemove --window "$1" "$2" "$3"
  start=$(now_ms)
  xdotool click 1
  for _ in $(seq 1 2000); do
    [ "$(threads)" -le "$4" ] && break
    sleep 0.002
  done
  t=$(( $(now_ms) - start ))
  [ "$(threads)" -le "$4" ] || gui_fail "$5: the computation still ran 4 s after Cancel"
  echo "$5: Cancel answered in $t ms"
  [ "$t" -lt 200 ] || gui_fail "$5: Cancel answered in $t ms, not within 200 ms"
}

type_at "$win" 105 137 0.45   # e/R1
idle=$(threads)

# --- The polar window: one viscous angle of the thick section ---------------
xdotool windowfocus --sync "$win"
xdotool key ctrl+p
pw=$(gui_wait_window 'Polar. Joukowski aerofoil.') || gui_fail "Ctrl-P opened no polar window"
for _ in $(seq 1 200); do [ "$(threads)" -le "$idle" ] && break; sleep 0.05; done   # the first polar
type_at "$pw" 128 85 12      # Alpha from
type_at "$pw" 128 112 13     # Alpha to
type_at "$pw" 128 166 6.6    # Re(mill)
type_at "$pw" 128 247 81     # Np
gui_click "$pw" 157 356      # Viscous
gui_click "$pw" 60 386       # Compute
sleep 1.5
cancel_time "$pw" 167 386 "$idle" "polar window"
xdotool windowfocus --sync "$pw"
xdotool key Escape

# --- The boundary-layer window: its viscous interaction ---------------------
xdotool windowfocus --sync "$win"
gui_click "$win" 105 542     # BL Calculation
dlg=$(gui_wait_window 'Boundary Layer. Joukowski aerofoil.') || gui_fail "no boundary-layer window"
sleep 0.5
type_at "$dlg" 130 65 6.6    # Re(mill)
type_at "$dlg" 130 146 81    # Np
gui_click "$dlg" 657 656     # Viscous interaction
gui_click "$dlg" 80 610      # Recalculate
sleep 1.5
cancel_time "$dlg" 151 610 "$idle" "boundary-layer window"
kill -0 "$APP_PID" || gui_fail "the program ended"
gui_quit "$win"
echo "cancel response: PASS"
