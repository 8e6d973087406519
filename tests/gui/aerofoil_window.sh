#!/usr/bin/env bash
# End-to-end: start the program, check that the window opens large enough
# to show every control, type an N (and a text that is none), step the
# Alpha spinner, save a result file (said on the status line), check the
# file and the drawn canvas, save the canvas as a picture, quit with Ctrl-Q.
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

# At its opening size the window is at least the designed 600 x 550 and
# every control lies inside it.
read -r W H < <(xwininfo -id "$win" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w, h}')
[ "$W" -ge 600 ] && [ "$H" -ge 550 ] || gui_fail "the window opens at ${W} x ${H}"
outside=$(gui_children_outside "$win")
[ -z "$outside" ] || gui_fail "controls outside the ${W} x ${H} window: $outside"

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

# "1e3" is no whole number: N stays 64 (a filter that dropped the letter
# made it 13).
gui_click "$win" 72 50 3
xdotool type --delay 30 "1e3"
xdotool key Return
sleep 0.3

# One step up of Alpha (increment 0.1): 12 -> 12.1.
gui_click "$win" 141 103

# SAVE RESULT names the file on the status line, at the window's bottom.
status_line() { import -window root st.png; convert st.png -crop "300x18+2+$((H - 20))" +repage "$1"; }
status_line before.png
gui_click "$win" 105 518   # SAVE RESULT
gui_wait_file Airfoil_1.out || gui_fail "SAVE RESULT wrote no Airfoil_1.out"
sleep 0.3
status_line after.png
[ "$(compare -metric AE before.png after.png null: 2>&1 || true)" -gt 100 ] || gui_fail "SAVE RESULT said nothing"

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
  convert start.png -crop "$geom" +repage "$root/docs/screenshot.png"  # the default section
fi

# File > Save picture... offers the canvas's size and then writes the
# canvas as drawn (the click mark aside) under a caption band that names
# the section (23 pixels, 17 more for each further line where
# the caption wraps whole to a narrow canvas): below it the PNG equals the
# canvas on the screen pixel for pixel.
gui_save_picture "$win" 4 "$work/canvas.png"
gui_wait_file canvas.png || gui_fail "Save picture wrote no canvas.png"
sleep 0.3
import -window root now.png
width=$(identify -format '%w' canvas.png)
for caption in 23 40 57; do
  size=${width}x$(($(identify -format '%h' canvas.png) - caption))
  # (awk reads to the end: leaving early would break xwininfo's pipe)
  at=$(xwininfo -tree -id "$win" |
       awk -v s="$size" '{ for (i = 1; i < NF; i++) if (!found && index($i, s "+") == 1) { print $(i + 1); found = 1 } }')
  [ -n "$at" ] && break
done
[ -n "$at" ] || gui_fail "no canvas of the picture's width $width under a caption of 1 to 3 lines"
convert canvas.png -crop "${width}x$caption+0+0" +repage band.png
[ "$(gui_count_colour band.png 'rgb(0,0,0)')" -gt 50 ] || gui_fail "no caption above the saved picture"
convert now.png -crop "$size$at" +repage -alpha off shown.png
convert canvas.png -crop "$size+0+$caption" +repage -alpha off saved.png
differ=$(compare -metric AE saved.png shown.png null: 2>&1 || true)
[ "$differ" = 0 ] || gui_fail "the saved picture differs from the canvas in $differ pixels"

# Saving again under the same name asks first; "No" keeps the file.
cp canvas.png kept.png
gui_save_picture "$win" 4 "$work/canvas.png"
sleep 0.5
gui_answer_no "Save picture"
cmp -s canvas.png kept.png || gui_fail "canvas.png was replaced without a yes"

# Ctrl-Q ends the event loop with exit code 0.
gui_quit "$win"
echo "aerofoil window: PASS"
