#!/usr/bin/env bash
# End-to-end on a 1366 x 768 screen: the boundary-layer window lies wholly
# on it, at the right edge (neither side of the centred aerofoil window has
# room for it), clear of the aerofoil window's inputs; its section line
# turns red when a spinner step changes the aerofoil window's section, and
# the window BL Calculation then opens has no mark; a computation that fails
# (e/R1 = 0, N = 255) is shown on the window's red status line.
# Usage: bl_dialog_screen.sh path/to/veltaro
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

title='Boundary Layer. Joukowski aerofoil.'
gui_session 1366x768
cd "$work"
gui_launch "$exe"
sleep 0.3
read -r mx _ < <(gui_geometry "$win")

bl_calculation() {
  xdotool windowfocus --sync "$win"
  gui_click "$win" 105 542
}
bl_calculation
dlg=$(gui_wait_window "$title") || gui_fail "boundary-layer window did not open"
gui_wait_passes 2
read -r x y w h < <(gui_geometry "$dlg")
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1366 ] && [ $((y + h)) -le 768 ] ||
  gui_fail "the boundary-layer window at $x, $y, $w x $h leaves the 1366 x 768 screen"
[ $((x + w)) -eq 1366 ] && [ "$x" -gt $((mx + 150)) ] ||
  gui_fail "the boundary-layer window at $x covers the aerofoil window's inputs (at $mx)"

# Red pixels in the window's bottom lines (section and status), waited for
# until there are more than $1 or, with "none", until there are none.
bottom_red() {  # none | more-than-count
  local red
  for _ in $(seq 1 40); do
    import -window root shot.png
    convert shot.png -crop "${w}x66+$x+$((y + h - 66))" +repage bottom.png
    red=$(gui_count_colour bottom.png 'rgb(255,0,0)')
    if [ "$1" = none ]; then [ "$red" -eq 0 ] && return 0; else [ "$red" -gt "$1" ] && return 0; fi
    sleep 0.1
  done
  echo "$red"
  return 1
}
bottom_red none || gui_fail "red in the bottom lines of a window on the current section"

gui_click "$win" 141 103   # Alpha one step up: 12.1
red=$(bottom_red 30) || gui_fail "no earlier-section mark after an Alpha step ($red red pixels)"

bl_calculation             # the current section
gui_wait_passes 4
dlg=$(gui_wait_window "$title")
bottom_red none || gui_fail "the mark stays on the window of the current section"

# e/R1 = 0 and N = 255: the split goes through, the upper pass fails.
xdotool windowfocus --sync "$win"
gui_click "$win" 72 50 3
xdotool type --delay 30 "255"
xdotool key Return
gui_click "$win" 100 137 3
xdotool type --delay 30 "0"
xdotool key Return
sleep 0.3
bl_calculation
box=$(gui_wait_window "Boundary layer") || gui_fail "no box about the failed computation"
xdotool windowfocus --sync "$box"
xdotool key Return
dlg=$(gui_wait_window "$title")
red=$(bottom_red 30) || gui_fail "the failed computation is not on the status line ($red red pixels)"

gui_quit "$win"
echo "boundary-layer window on a 1366 x 768 screen: PASS"
