#!/usr/bin/env bash
# End-to-end: the flow view of the real program.  File > Flow view (Ctrl-F)
# opens it on the aerofoil window's section: streamlines and the red
# dividing streamline in both planes.  The mouse over the section plane
# probes the flow: the line under the planes gives the values veltaro-cli
# --probe gives at that point, and the circle plane marks the point's
# image; inside the section the line says so.  Animate moves the angle:
# the planes change frame by frame and the polar window marks the
# operating point on its lift curve; Stop puts everything back as it was.
# A viscous analysis in the boundary-layer window adds the displacement
# body, which its box takes away again.  Save picture writes the size typed, PNG or SVG.
# Usage: flow_view.sh path/to/veltaro path/to/veltaro-cli path/to/read_selection
set -euo pipefail
exe=$(readlink -f "$1")
cli=$(readlink -f "$2")
read_selection=$(readlink -f "$3")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

gui_session
cd "$work"
gui_launch "$exe"
xdotool windowmove --sync "$win" 0 0
xdotool windowfocus --sync "$win"
xdotool key ctrl+f
fw=$(gui_wait_window "Flow view") || gui_fail "no flow view"
xdotool windowmove --sync "$fw" 0 660
sleep 0.5
read -r fx fy fwidth fheight < <(gui_geometry "$fw")

shot() { import -window root "$1"; }
# A part of the flow view (x y w h relative to it) cut from a screenshot.
part() {  # shot x y w h out
  convert "$1" -crop "$4x$5+$((fx + $2))+$((fy + $3))" +repage "$6"
}
planes() {  # shot out: both planes
  part "$1" 6 95 $((fwidth - 12)) $((fheight - 150)) "$2"
}
red() { gui_count_colour "$1" 'rgb(208,0,0)'; }
green() { gui_count_colour "$1" 'rgb(0,100,0)'; }
value_of() { grep -oE "(^| )$2 -?[0-9.]+" <<<"$1" | awk '{print $NF}'; }
probe_line() {
  xdotool mousemove --window "$fw" 300 $((fheight - 38))
  xdotool click --repeat 3 --delay 80 1
  sleep 0.2
  "$read_selection"
}

# --- Both planes drawn, the dividing streamline in each ---------------------
shot s0.png
part s0.png 6 95 560 300 sec.png
part s0.png 620 95 370 300 cir.png
[ "$(red sec.png)" -gt 100 ] || gui_fail "no dividing streamline in the section plane"
[ "$(red cir.png)" -gt 100 ] || gui_fail "no dividing streamline in the circle plane"

# --- The probe against veltaro-cli --probe at the same point ---------------
xdotool mousemove --window "$fw" 330 250
sleep 0.3
shot s1.png
part s1.png 620 95 370 440 cir.png
[ "$(green cir.png)" -gt 20 ] || gui_fail "no linked cursor in the circle plane"
line=$(probe_line)
x=$(value_of "$line" x/c)
y=$(value_of "$line" y/c)
[ -n "$x" ] && [ -n "$y" ] || gui_fail "probe line: $line"
cli_line=$("$cli" --probe "$x,$y" | tail -n 1)
for q in "u:u" "v:v" "Cp:Cp" "psi:psi"; do
  gui_value=$(value_of "$line" "${q%%:*}")
  cli_value=$(grep -oE "${q#*:}= -?[0-9.e+-]+" <<<"$cli_line" | awk '{print $2}')
  awk -v a="$gui_value" -v b="$cli_value" 'BEGIN { d = a - b; exit !(d < 2e-3 && d > -2e-3) }' ||
    gui_fail "${q%%:*} at $x,$y: window '$line', veltaro-cli '$cli_line'"
done
# Inside the section, at the middle of its chord.
xdotool mousemove --window "$fw" 200 "$(( (fheight - 150) / 2 + 95 ))"
sleep 0.3
inside=$(probe_line)
xdotool mousemove --window "$fw" 330 250
sleep 0.3
probed=$(probe_line)

# --- Animation: frames change the planes, the polar marks the operating point; Stop puts it back
xdotool windowfocus --sync "$win"
xdotool key ctrl+p
pw=$(gui_wait_window 'Polar. Joukowski aerofoil.') || gui_fail "no polar window"
xdotool windowmove --sync "$pw" 700 0
sleep 3
orange() { import -window "$pw" p.png; gui_count_colour p.png 'rgb(255,128,0)'; }
[ "$(orange)" -eq 0 ] || gui_fail "an operating point before the animation"
shot before.png
planes before.png before_planes.png
gui_click "$fw" 640 77   # Start
sleep 0.4
shot a1.png
sleep 0.4
shot a2.png
planes a1.png a1p.png
planes a2.png a2p.png
[ "$(compare -metric AE a1p.png a2p.png null: 2>&1 || true)" -gt 1000 ] || gui_fail "the planes did not move"
[ "$(orange)" -gt 20 ] || gui_fail "no operating point on the polar's lift curve"
gui_click "$fw" 704 77   # Stop
sleep 0.5
shot after.png
planes after.png after_planes.png
[ "$(compare -metric AE before_planes.png after_planes.png null: 2>&1 || true)" -eq 0 ] ||
  gui_fail "Stop did not put the section back"
[ "$(orange)" -eq 0 ] || gui_fail "the operating point stayed after Stop"
[ "$(probe_line)" = "$probed" ] || gui_fail "probe after Stop: $(probe_line) against $probed"
[[ "$inside" == *"inside the section" ]] || gui_fail "probe inside the section: $inside"

# --- The displacement body of the boundary-layer window's viscous analysis ---
body() { shot b.png; part b.png 6 95 590 430 bs.png; gui_count_colour bs.png 'rgb(0,128,0)'; }
[ "$(body)" -eq 0 ] || gui_fail "a displacement body before any viscous analysis"
xdotool windowfocus --sync "$win"
gui_click "$win" 105 542   # BL Calculation
dlg=$(gui_wait_window 'Boundary Layer. Joukowski aerofoil.') || gui_fail "no boundary-layer window"
xdotool windowmove --sync "$dlg" 800 600
sleep 0.5
read -r _ _ dw _ < <(gui_geometry "$dlg")   # it opens narrower where that covers less
gui_click "$dlg" $((dw - 143)) 656   # Viscous interaction, at the right
gui_click "$dlg" 88 610    # Recalculate
for _ in $(seq 1 240); do [ "$(body)" -gt 100 ] && break; sleep 0.25; done
[ "$(body)" -gt 100 ] || gui_fail "no displacement body after the viscous analysis"
gui_click "$fw" 375 49     # Displacement body and wake: off
[ "$(body)" -eq 0 ] || gui_fail "the displacement body stayed when unchecked"
gui_click "$fw" 375 49

# --- Save picture at the size typed ------------------------------------------
gui_save_picture "$fw" 1 "$work/flow.png" 640x400
gui_wait_file flow.png || gui_fail "no picture written"
[ "$(identify -format '%wx%h' flow.png)" = 640x400 ] || gui_fail "picture of $(identify -format '%wx%h' flow.png)"
convert flow.png -crop 640x360+0+40 +repage body.png
[ "$(red body.png)" -gt 100 ] || gui_fail "the picture has no dividing streamline"
[ "$(green body.png)" -eq 0 ] || gui_fail "the picture has the cursor"

# And as SVG, by the name's ending.
gui_save_picture "$fw" 1 "$work/flow.svg" 500x300
gui_wait_file flow.svg || gui_fail "no SVG written"
[ "$(gui_svg_size flow.svg)" = 500x300 ] || gui_fail "SVG of $(gui_svg_size flow.svg)"

gui_quit "$win"
echo "flow view: ok"
