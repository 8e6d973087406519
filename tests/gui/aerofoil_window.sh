#!/usr/bin/env bash
# End-to-end: start the program, type an N, step the Alpha spinner, save a
# result file, check the file and the drawn canvas, quit with Ctrl-Q.
# Usage: aerofoil_window.sh path/to/veltaro project-root
set -euo pipefail
exe=$1
root=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

gui_session
cd "$work"
gui_launch "$exe"
sleep 0.5

# The default section is solved and drawn before any input.
import -window root start.png
blue=$(gui_count_colour start.png 'rgb(0,0,255)')
[ "$blue" -gt 300 ] || gui_fail "no contour drawn at start ($blue blue pixels)"

# N = 64: select the field's text, type, confirm.
xdotool windowfocus --sync "$win"
gui_click "$win" 72 50 3
xdotool type --delay 30 "64"
xdotool key Return
sleep 0.5

# One step up of Alpha (increment 0.1): 12 -> 12.1.
gui_click "$win" 141 103

gui_click "$win" 105 518   # SAVE RESULT
gui_wait_file Airfoil_1.out || gui_fail "SAVE RESULT wrote no Airfoil_1.out"
sleep 0.3

lines=$(wc -l < Airfoil_1.out)
[ "$lines" -eq 73 ] || gui_fail "Airfoil_1.out has $lines lines, expected 73 for N = 64"
[ "$(sed -n 4p Airfoil_1.out)" = " N= 64    " ] || gui_fail "line 4: '$(sed -n 4p Airfoil_1.out)'"
sed -n 3p Airfoil_1.out | grep -q '^  12.1000 ' || gui_fail "line 3: '$(sed -n 3p Airfoil_1.out)'"
[ "$(sed -n 1p Airfoil_1.out)" = " e/R1= 0.13100   h/R1= 0.00000  " ] || gui_fail "line 1"
sed -n 8p Airfoil_1.out | grep -q '^ 1.000000 ' || gui_fail "row of point 0"

# The canvas shows the contour (blue), the pressure curve (black) and the
# focus (red).
import -window root shot.png
blue=$(gui_count_colour shot.png 'rgb(0,0,255)')
red=$(gui_count_colour shot.png 'rgb(255,0,0)')
[ "$blue" -gt 300 ] || gui_fail "contour missing ($blue blue pixels)"
[ "$red" -gt 20 ] || gui_fail "focus marker missing ($red red pixels)"
if [ "${VELTARO_UPDATE_SCREENSHOT:-0}" = 1 ]; then
  geom=$(xwininfo -id "$win" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
         /Width/{w=$2} /Height/{h=$2} END{print w "x" h "+" x "+" y}')
  convert shot.png -crop "$geom" +repage "$root/docs/screenshot.png"
fi

# Ctrl-Q ends the event loop with exit code 0.
gui_quit "$win"
echo "aerofoil window: PASS"
