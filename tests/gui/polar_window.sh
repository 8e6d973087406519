#!/usr/bin/env bash
# End-to-end: the polar window of the real program.  Ctrl-P opens it on the
# default section and it computes at once; its saved table equals
# veltaro-cli --sweep ... --bl for the same settings, before and after the
# main window's N, Re(mill), free transition and a descending range are
# changed (the section line marked red while the main window's section is
# another), for a viscous polar tripped at x/c and with Spalart-Allmaras; a step of 0 and one
# leading away from the last angle are refused; during a long polar the main window answers a spinner step and
# "Cancel" stops the computation with its points kept; Escape while
# computing hides the window; Ctrl-Q while computing ends the program with
# exit code 0.  The window opens right of the aerofoil window.
# Usage: polar_window.sh path/to/veltaro path/to/veltaro-cli project-root
set -euo pipefail
exe=$1
cli=$2
root=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

title='Polar. Joukowski aerofoil.'
gui_session
cd "$work"
gui_launch "$exe"
xdotool windowmove --sync "$win" 0 0
sleep 0.3

# Positions inside the polar window, below its menu bar.
declare -A at=([from]="128 85" [to]="128 112" [step]="128 139" [re]="128 166" [np]="128 247"
               [xtr_u]="128 273" [xtr_l]="128 300" [free]="18 332" [trip]="18 356" [viscous]="157 356"
               [compute]="60 386" [cancel]="167 386" [save]="114 464" [keep]="60 500" [clear]="167 500")
pw=""
polar_click() { xdotool windowfocus --sync "$pw"; gui_click "$pw" ${at[$1]}; }
type_into() {  # field text
  xdotool windowfocus --sync "$pw"
  xdotool mousemove --window "$pw" ${at[$1]}
  xdotool click --repeat 3 --delay 80 1
  xdotool type --delay 30 -- "$2"
  xdotool key Return
  sleep 0.3
}
close_box() {  # title
  local box
  box=$(gui_wait_window "$1") || gui_fail "no \"$1\" box"
  xdotool windowfocus --sync "$box"
  xdotool key Return
  sleep 0.3
}
open_polar() {
  xdotool windowfocus --sync "$win"
  xdotool key ctrl+p
  pw=$(gui_wait_window "$title") || gui_fail "Ctrl-P opened no polar window"
  sleep 0.3
}
# Where the polar window opened (px, py), and a crop of the screen at a
# place inside it.
px=0 py=0
crop_polar() {  # screenshot WxH x y out
  convert "$1" -crop "$2+$(($3 + px))+$(($4 + py))" +repage "$5"
}
# Blue pixels of the progress bar (1200 when full).
bar() { import -window root bar.png; crop_polar bar.png 200x6 14 411 b.png; gui_count_colour b.png 'rgb(0,0,255)'; }
wait_done() {
  for _ in $(seq 1 600); do [ "$(bar)" -eq 1200 ] && return 0; sleep 0.1; done
  gui_fail "the progress bar did not reach the end"
}
save_polar() { polar_click save; gui_type_file_name "Save polar" "$1"; }  # path
same_as_cli() {  # file cli-arguments...
  local file=$1
  shift
  gui_wait_file "$file" || gui_fail "Save polar... wrote no $file"
  "$cli" "$@" >expected.txt 2>/dev/null || true
  diff "$file" expected.txt >/dev/null || gui_fail "$file differs from veltaro-cli $*: $(diff "$file" expected.txt | head -n 4)"
}

# --- Ctrl-P: the default polar, drawn and saved as the command line prints it
open_polar
read -r px py _ < <(gui_geometry "$pw")
read -r _ _ mw _ < <(gui_geometry "$win")
[ "$px" -eq "$mw" ] && [ "$py" -eq 0 ] || gui_fail "the polar window opens at $px, $py, not right of the aerofoil window"
wait_done
import -window root shot.png
crop_polar shot.png 610x470 230 46 canvas.png
[ "$(gui_count_colour canvas.png 'rgb(0,0,0)')" -gt 3000 ] || gui_fail "no plots drawn"
save_polar "$work/polar.txt"
same_as_cli polar.txt --sweep -4:16:1 --bl --e 0.131 --h 0 --n 256 --re-mill 10 --np 41 --str-u 0.02 --str-l 0.03

# --- N = 128, then Ctrl-P again: the one window with the new section --------
# The section line turns red as soon as the aerofoil window's section is
# another than the polar's, and is black again on the current section.
section_red() { import -window root s.png; crop_polar s.png 220x70 10 40 l.png; gui_count_colour l.png 'rgb(255,0,0)'; }
[ "$(section_red)" -eq 0 ] || gui_fail "the section line is red on the current section"
xdotool windowfocus --sync "$win"
gui_click "$win" 72 50 3
xdotool type --delay 30 "128"
xdotool key Return
sleep 0.3
[ "$(section_red)" -gt 30 ] || gui_fail "no earlier-section mark after N changed"
open_polar
[ "$(section_red)" -eq 0 ] || gui_fail "the earlier-section mark stays after Ctrl-P"
[ "$(xdotool search --onlyvisible --name "^${title}\$" | wc -l)" -eq 1 ] || gui_fail "more than one polar window"
wait_done
type_into re 5
polar_click free
type_into from 16
type_into to -4
polar_click compute          # the step of 1 leads away from -4
close_box "Polar"
type_into step 0             # refused in its field
close_box "Invalid value"
type_into step -1
polar_click compute
wait_done
save_polar "$work/free.txt"
same_as_cli free.txt --sweep 16:-4:-1 --bl --n 128 --re-mill 5 --str-u 10 --str-l 10

# --- Viscous, tripped at x/c: six plots, the table of veltaro-cli --viscous --
polar_click trip              # clears Free transition
type_into xtr_l 0.1
polar_click viscous
type_into step -2
polar_click compute
wait_done
save_polar "$work/viscous.txt"
same_as_cli viscous.txt --sweep 16:-4:-2 --bl --viscous --n 128 --re-mill 5 --xtr-u 0.05 --xtr-l 0.1
grep -q '^# Maximum lift: Cl_visc' viscous.txt || gui_fail "the viscous polar has no maximum-lift line"
import -window root shot.png
crop_polar shot.png 610x470 230 46 canvas.png
[ "$(gui_count_colour canvas.png 'rgb(160,32,240)')" -gt 100 ] || gui_fail "no maximum lift or best L/D marked"
if [ "${VELTARO_UPDATE_SCREENSHOT:-0}" = 1 ]; then
  import -window root shot.png
  geom=$(xwininfo -id "$pw" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
         /Width/{w=$2} /Height/{h=$2} END{print w "x" h "+" x "+" y}')
  convert shot.png -crop "$geom" +repage "$root/docs/polar_window.png"
fi
polar_click viscous           # the long polar below without the interaction

# --- Turbulence > Spalart-Allmaras (second item) for the polar without -----
# --- the interaction computes the polar of veltaro-cli --turbulence sa; -----
# --- the algebraic model is put back ------------------------------------------
gui_menu_key "$pw" t 2
polar_click compute
wait_done
save_polar "$work/sa.txt"
same_as_cli sa.txt --sweep 16:-4:-2 --bl --n 128 --re-mill 5 --xtr-u 0.05 --xtr-l 0.1 --turbulence sa
gui_menu_key "$pw" t 1

# --- A long polar: the main window answers while it computes; Cancel -------
xdotool windowfocus --sync "$win"
gui_click "$win" 72 50 3
xdotool type --delay 30 "1000"
xdotool key Return
open_polar
wait_done
type_into from -5
type_into to 14.98
type_into step 0.02
type_into np 201
polar_click compute
sleep 1
import -window root before.png
[ "$(bar)" -lt 1200 ] || gui_fail "the long polar ended before the spinner step"
gui_click "$win" 141 103     # Alpha one step up
import -window root after.png
[ "$(bar)" -lt 1200 ] || gui_fail "the long polar ended before the main window was checked"
convert before.png -crop 600x600+0+0 +repage m1.png
convert after.png -crop 600x600+0+0 +repage m2.png
[ "$(compare -metric AE m1.png m2.png null: 2>&1 || true)" -gt 500 ] || gui_fail "the main window did not redraw while the polar computed"
polar_click cancel
b1=-1
for _ in $(seq 1 30); do sleep 1; b2=$(bar); [ "$b2" -eq "$b1" ] && break; b1=$b2; done
[ "$b2" -eq "$b1" ] && [ "$b1" -lt 1200 ] || gui_fail "Cancel did not stop the polar ($b2 of 1200 blue)"
save_polar "$work/cancelled.txt"
gui_wait_file cancelled.txt || gui_fail "no table after Cancel"
rows=$(grep -vc '^#\|^ *alpha' cancelled.txt || true)
[ "$rows" -gt 0 ] && [ "$rows" -lt 1000 ] || gui_fail "$rows rows saved after Cancel"
import -window root shot.png
crop_polar shot.png 610x470 230 46 canvas.png
[ "$(gui_count_colour canvas.png 'rgb(0,0,0)')" -gt 3000 ] || gui_fail "the points went after Cancel"

# --- Escape while computing hides the window; Ctrl-Q while computing quits --
polar_click compute
sleep 0.5
xdotool key Escape
sleep 1
[ -z "$(xdotool search --onlyvisible --name "^${title}\$")" ] || gui_fail "Escape left the polar window open"
kill -0 "$APP_PID" || gui_fail "the program ended with the polar window"
open_polar
sleep 0.5
gui_quit "$win"
echo "polar window: PASS"
