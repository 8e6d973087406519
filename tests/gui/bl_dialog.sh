#!/usr/bin/env bash
# End-to-end: the boundary-layer window of the real program.  Opens it on the
# default section and reads the fields it shows, checks both passes in
# "CalcBl.out" and the drawn plots, saves both plots as one picture and
# compares it with the screen; recalculates at Re = 5 million; switches
# to the lower surface and its shape factor; marks its section as earlier
# after an Alpha step and replaces the window with a new one without the
# mark; has an invalid Np refused; makes a recalculation fail half-way and
# checks that the earlier results stay on the screen; closes the window and
# opens another; recalculates with viscous interaction, its result line as
# veltaro-cli --bl --viscous computes it (before that, a march with
# Spalart-Allmaras: its passes and its picture, saved as SVG at a size
# typed, name the model); quits with Ctrl-Q.
# Usage: bl_dialog.sh path/to/veltaro path/to/read_selection project-root path/to/veltaro-cli
set -euo pipefail
exe=$1
read_selection=$2
root=$3
cli=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

title='Boundary Layer. Joukowski aerofoil.'
gui_session
cd "$work"
gui_launch "$exe"
# The boundary-layer window opens to the right of it.
xdotool windowmove --sync "$win" 0 0
sleep 0.3


# Positions inside the boundary-layer window (no window manager: the
# window's own coordinates).
declare -A at=([re]="130 65" [etae]="130 92" [kv]="130 119" [np]="130 146" [cfs]="130 173"
               [str_u]="95 341" [sinv_u]="95 368" [str_l]="95 543" [sinv_l]="95 570"
               [upper]="32 208" [lower]="32 410" [lower_h12]="37 507" [recalc]="88 610"
               [viscous]="657 656" [result]="400 623")
dlg=""
dialog_click() { gui_click "$dlg" ${at[$1]}; }

# What a field shows: select its text, read the primary selection.
field() {
  xdotool mousemove --window "$dlg" ${at[$1]}
  xdotool click --repeat 3 --delay 80 1
  sleep 0.2
  "$read_selection"
}

type_into() {  # field text
  xdotool windowfocus --sync "$dlg"
  xdotool mousemove --window "$dlg" ${at[$1]}
  xdotool click --repeat 3 --delay 80 1
  xdotool type --delay 30 "$2"
  xdotool key Return
  sleep 0.3
}

bl_calculation() {
  xdotool windowfocus --sync "$win"
  gui_click "$win" 105 542
}

# Canvas regions on the screen, from the window's place (dx, dy): the
# edge-velocity plot above, the quantity plot below.
dx=0 dy=0
crop() {  # shot region out
  case $2 in
    ue) convert "$1" -crop 560x280+$((dx + 217))+$((dy + 56)) +repage "$3" ;;
    qty) convert "$1" -crop 560x280+$((dx + 217))+$((dy + 348)) +repage "$3" ;;
    dialog) convert "$1" -crop 800x700+$dx+$dy +repage "$3" ;;
  esac
}
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

close_box() {  # title of a message box
  local box
  box=$(gui_wait_window "$1") || gui_fail "no \"$1\" box"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  sleep 0.5
}

# --- The window on the default section --------------------------------------
bl_calculation
dlg=$(gui_wait_window "$title") || gui_fail "boundary-layer window did not open"
gui_wait_passes 2
sleep 0.5
read -r dx dy _ < <(gui_geometry "$dlg")
read -r _ _ mw _ < <(gui_geometry "$win")
[ "$dx" -eq "$mw" ] && [ "$dy" -eq 0 ] || gui_fail "the window opens at $dx, $dy, not right of the aerofoil window"

# Both plots drawn: black curves and labels, the orange grid, the red and
# blue markers.
import -window root shot.png
for region in ue qty; do
  crop shot.png $region $region.png
  black=$(gui_count_colour $region.png 'rgb(0,0,0)')
  orange=$(gui_count_colour $region.png 'rgb(255,165,0)')
  red=$(gui_count_colour $region.png 'rgb(255,0,0)')
  blue=$(gui_count_colour $region.png 'rgb(0,0,255)')
  [ "$black" -gt 1000 ] || gui_fail "$region plot: $black black pixels"
  [ "$orange" -gt 1000 ] || gui_fail "$region plot: $orange orange pixels"
  [ "$red" -gt 15 ] && [ "$blue" -gt 15 ] || gui_fail "$region plot: markers $red red, $blue blue"
done
if [ "${VELTARO_UPDATE_SCREENSHOT:-0}" = 1 ]; then
  crop shot.png dialog "$root/docs/bl_dialog.png"
fi

for f in re:10.000 etae:6.000 kv:1.100 np:41 cfs:0.150; do
  got=$(field "${f%%:*}")
  [ "$got" = "${f#*:}" ] || gui_fail "field ${f%%:*} shows '$got', expected ${f#*:}"
done
for f in str_u sinv_u str_l sinv_l; do
  got=$(field "$f")
  [[ "$got" =~ ^[0-9]+\.[0-9]{4}$ ]] || gui_fail "position $f shows '$got'"
done
# Transition was found upstream of 0.02 or kept there; the inverse mode
# starts on the surface.
awk -v v="$(field str_u)" 'BEGIN { exit !(v > 0 && v <= 0.02) }' || gui_fail "Str u out of range"
awk -v v="$(field sinv_u)" 'BEGIN { exit !(v > 0.5 && v < 1.2) }' || gui_fail "Sinv u out of range"

# File > Save picture... offers the canvases' size and writes both as drawn
# under a caption band
# (23 pixels) that names the section and the surface, the edge velocity
# (the upper half of the rest) as on the screen pixel for pixel.
caption=23
gui_save_picture "$dlg" 2 "$work/plots.png"
gui_wait_file plots.png || gui_fail "Save picture wrote no plots.png"
sleep 0.3
import -window root now.png
width=$(identify -format '%w' plots.png)
size=${width}x$((($(identify -format '%h' plots.png) - caption) / 2))
convert plots.png -crop "${width}x$caption+0+0" +repage band.png
[ "$(gui_count_colour band.png 'rgb(0,0,0)')" -gt 50 ] || gui_fail "no caption above the saved plots"
convert plots.png -crop "$size+0+$caption" +repage -alpha off saved.png
convert now.png -crop "$size+$((dx + 214))+$((dy + 53))" +repage -alpha off shown.png
differ=$(compare -metric AE saved.png shown.png null: 2>&1 || true)
[ "$differ" = 0 ] || gui_fail "the saved edge-velocity plot differs from the canvas in $differ pixels"

grep -q 'Upper surface,  Element=' CalcBl.out || gui_fail "no upper pass in CalcBl.out"
grep -q 'Lower surface,  Element=' CalcBl.out || gui_fail "no lower pass in CalcBl.out"
[ "$(grep -m1 -n 'Upper surface' CalcBl.out | cut -d: -f1)" -lt \
  "$(grep -m1 -n 'Lower surface' CalcBl.out | cut -d: -f1)" ] || gui_fail "lower pass before upper"
[ "$(grep -c '^ Re=   10000000.000' CalcBl.out)" -eq 2 ] || gui_fail "pass headers not at Re = 1e7"

# --- Re(mill) = 5 takes effect at Recalculate --------------------------------
type_into re 5
[ "$(gui_passes)" -eq 2 ] || gui_fail "a committed field started a computation"
dialog_click recalc
gui_wait_passes 4
[ "$(grep -c '^ Re=    5000000.000' CalcBl.out)" -eq 2 ] || gui_fail "new passes not at Re = 5e6"
sleep 0.5

# --- Lower surface, shape factor: both plots redrawn -------------------------
import -window root upper.png
crop upper.png ue ue_upper.png
crop upper.png qty qty_upper.png
dialog_click lower
dialog_click lower_h12
sleep 0.3
import -window root lower.png
crop lower.png ue ue_lower.png
crop lower.png qty qty_lower.png
[ "$(differing_pixels ue_upper.png ue_lower.png)" -gt 500 ] || gui_fail "edge-velocity plot not redrawn"
[ "$(differing_pixels qty_upper.png qty_lower.png)" -gt 1000 ] || gui_fail "quantity plot not redrawn"

# --- An Alpha step marks the section line red; BL Calculation twice: one -----
# --- window remains, without the mark, with the values last entered ---------
bottom_red() {  # red pixels in the section and status lines
  import -window root shot.png
  convert shot.png -crop "800x66+$dx+$((dy + 634))" +repage bottom.png
  gui_count_colour bottom.png 'rgb(255,0,0)'
}
[ "$(bottom_red)" -eq 0 ] || gui_fail "red in the bottom lines on the current section"
gui_click "$win" 141 103   # Alpha one step up: 12.1
[ "$(bottom_red)" -gt 30 ] || gui_fail "no earlier-section mark after an Alpha step"
bl_calculation
gui_wait_passes 6
sleep 0.3
[ "$(bottom_red)" -eq 0 ] || gui_fail "the mark stays on the window of the current section"
gui_click "$win" 100 103 3 # back to Alpha 12
xdotool type --delay 30 "12"
xdotool key Return
bl_calculation
gui_wait_passes 8
sleep 0.3
n=$(xdotool search --onlyvisible --name "^${title}\$" | wc -l)
[ "$n" -eq 1 ] || gui_fail "$n boundary-layer windows open"
dlg=$(gui_wait_window "$title")
[ "$(field re)" = 5.000 ] || gui_fail "the new window lost Re(mill) = 5"

# --- An invalid Np is refused -------------------------------------------------
type_into np 900
close_box "Invalid value"
[ "$(field np)" = 41 ] || gui_fail "Np shows '$(field np)' after the refusal"
dialog_click recalc
gui_wait_passes 10
[ "$(grep '^ NP=' CalcBl.out | tail -n1 | cut -c5-9)" = "   41" ] || gui_fail "Np 900 reached the march"

# --- A recalculation that fails half-way keeps the results on the screen -----
# 512 intervals give the upper surface the stations whose profiles go to
# "Debug.out"; with that file on a full disk the upper pass fails after it
# has overwritten the upper results.
xdotool windowfocus --sync "$win"
gui_click "$win" 72 50 3
xdotool type --delay 30 "512"
xdotool key Return
sleep 0.3
bl_calculation
gui_wait_passes 12
dlg=$(gui_wait_window "$title")
type_into re 10
sleep 0.3
# The upper surface's values as plotted (Edit > Copy values), before and
# after: the same table.  (The status line's message may wrap onto a second
# line and leave the plots a line lower; the values are what must stay.)
dialog_click upper
copied_values() {  # file
  gui_menu_key "$dlg" e 1
  sleep 0.3
  "$read_selection" CLIPBOARD >"$1" || gui_fail "nothing on the clipboard"
}
copied_values before.tsv
import -window root before.png
rm -f Debug.out
ln -s /dev/full Debug.out
dialog_click recalc
close_box "Recalculate"
gui_wait_passes 13
[ "$(grep -c '^ Re=   10000000.000' CalcBl.out)" -eq 3 ] || gui_fail "the failing pass did not run"
copied_values after.tsv
[ "$(wc -l <before.tsv)" -gt 100 ] && cmp -s before.tsv after.tsv || gui_fail "the values changed by a failed recalculation"
import -window root after.png
crop after.png ue a.png
[ "$(gui_count_colour a.png 'rgb(255,0,0)')" -gt 200 ] || gui_fail "the computed edge velocity went after a failed recalculation"
rm -f Debug.out

# --- Quit closes the window; the next BL Calculation opens a fresh one -------
xdotool windowfocus --sync "$dlg"
xdotool key ctrl+q
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name "^${title}\$")" ] || gui_fail "Quit left the window open"
before=$(gui_passes)
bl_calculation
dlg=$(gui_wait_window "$title") || gui_fail "no window after Quit"
gui_wait_passes $((before + 2))

# --- Spalart-Allmaras, picked for the march (Turbulence, second item), -----
# --- reaches the passes, which name it, and the picture's caption, whole ----
# --- at 300 pixels ------------------------------------------------------------
gui_menu_key "$dlg" t 2
sleep 0.3
named() { grep -c '^ Turbulence model: Spalart-Allmaras$' CalcBl.out || true; }
before=$(gui_passes)
sa=$(named)
dialog_click recalc
gui_wait_passes $((before + 2))
[ "$(named)" -eq $((sa + 2)) ] || gui_fail "the two passes do not name Spalart-Allmaras"
gui_save_picture "$dlg" 2 "$work/sa.svg" 300x600
gui_wait_file sa.svg || gui_fail "no SVG of the plots"
[ "$(gui_svg_size sa.svg)" = 300x600 ] || gui_fail "SVG of $(gui_svg_size sa.svg)"
[ "$(gui_svg_caption sa.svg)" = "Section: alpha 12, e/R1 0.131, h/R1 0, N 512; upper surface; turbulence model Spalart-Allmaras" ] ||
  gui_fail "the SVG's caption reads '$(gui_svg_caption sa.svg)'"

# --- Viscous interaction: Recalculate runs the viscous analysis, the wake ----
# --- behind the trailing edge is plotted, the line under the plots holds ----
# --- the viscous loads of veltaro-cli --bl --viscous at N 512 -----------------
type_into str_u 0.02
type_into str_l 0.03
dialog_click viscous
dialog_click recalc
got=""
for _ in $(seq 1 240); do  # up to a minute: the sanitizer build computes slowly
  got=$(field result || true)  # nothing to select until the line is there
  [[ "$got" == Viscous:* ]] && break
  sleep 0.25
done
(mkdir -p cli && cd cli && "$cli" --bl --viscous --n 512 --json v.json >/dev/null) || gui_fail "veltaro-cli --viscous failed"
expected=$(awk '/"viscous": \{/ { v = 1; next } v && /\}/ { v = 0 } v { gsub(/[",]/, ""); k[$1] = $2 }
  END { printf "Viscous: Cl %.4f  Cm c/4 %.4f  Cd %.5f (friction %.5f), %d sweeps%s", k["cl:"], k["cm:"], k["cd:"],
        k["cd_friction:"], k["sweeps:"], k["converged:"] == "true" ? "" : ", not settled" }' cli/v.json)
[ "$got" = "$expected" ] || gui_fail "the viscous result line shows '$got', veltaro-cli gives '$expected'"
import -window root shot.png
crop shot.png ue ue.png
[ "$(gui_count_colour ue.png 'rgb(105,105,105)')" -gt 50 ] || gui_fail "no trailing edge marked before the wake"
if [ "${VELTARO_UPDATE_SCREENSHOT:-0}" = 1 ]; then
  gui_click "$dlg" 37 260   # upper surface, D1: its wake
  import -window root shot.png
  crop shot.png dialog "$root/docs/bl_viscous.png"
fi

# Ctrl-Q in the aerofoil window ends the program with exit code 0.
gui_quit "$win"
echo "boundary-layer window: PASS"
