#!/usr/bin/env bash
# End-to-end: values read off the plots of the real program.  A click near
# a known point of a plot (the trailing edge of the pressure curve, the
# last angle of the lift curve, the end of the skin friction)
# marks that point and shows its values on the line under the plot; the
# values copied with Ctrl-C are those plotted: the rows of the result file,
# the polar of veltaro-cli, the skin friction veltaro-cli computes.  A kept
# polar is drawn and listed in the legend; "Clear kept" removes it.  The
# polar window saves its picture.
# Usage: plot_values.sh path/to/veltaro path/to/veltaro-cli path/to/read_selection
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
sleep 0.3

# The text of the line under a plot: select it, read the primary selection.
value_line() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3"
  xdotool click --repeat 3 --delay 80 1
  sleep 0.2
  "$read_selection"
}
# Ctrl-C in a window after a click on its plot (not in a field, where it
# copies the field's text), the clipboard into a file.
copy_values() {  # window file
  xdotool windowfocus --sync "$1"
  xdotool key ctrl+c
  sleep 0.3
  "$read_selection" CLIPBOARD >"$2" || gui_fail "nothing on the clipboard"
}
# The number after a name in a value line: "Cp 0.2802" -> 0.2802.
value_of() { grep -oE "(^| )$2 -?[0-9.]+(e[-+]?[0-9]+)?" <<<"$1" | awk '{print $NF}'; }
# Column c of the row of a tab-separated table whose first cell is key,
# rounded to d decimals.
cell() {  # file key column decimals
  awk -F'\t' -v k="$2" -v c="$3" -v d="$4" '$1 == k { printf "%.*f\n", d, $c }' "$1"
}
green() { import -window root g.png; gui_count_colour g.png 'rgb(0,100,0)'; }

# --- The pressure plot: the trailing edge, then the copied table ------------
[ "$(green)" -eq 0 ] || gui_fail "a mark before any click"
gui_click "$win" 585 545
[ "$(green)" -gt 20 ] || gui_fail "no mark on the pressure plot"
copy_values "$win" aerofoil.tsv
line=$(value_line "$win" 400 571)
point=$(grep -oE 'point [0-9]+\)' <<<"$line" | tr -dc 0-9)
awk -v x="$(value_of "$line" x/c)" 'BEGIN { exit !(x > 0.95) }' || gui_fail "the click near the trailing edge marked: $line"
for c in "x/c:2" "y/c:3" "Cp:4" "V:5"; do
  [ "$(value_of "$line" "${c%%:*}")" = "$(cell aerofoil.tsv "$point" "${c#*:}" 4)" ] ||
    gui_fail "${c%%:*} of point $point: '$line' against its copied row"
done
[ "$(head -n1 aerofoil.tsv)" = "$(printf 'point\tx/c\ty/c\tCp\tV\ts/c')" ] || gui_fail "header: $(head -n1 aerofoil.tsv)"
# Every copied row is the row of the result file, to its 6 decimals.
gui_click "$win" 105 518   # SAVE RESULT
gui_wait_file Airfoil_1.out || gui_fail "no result file"
sleep 0.3
awk -F'\t' 'NR > 1 { printf "%.6f %.6f %.6f %.6f %.6f %d\n", $2, $3, $4, $5, $6, $1 }' aerofoil.tsv >copied.txt
sed -n '8,264p' Airfoil_1.out | awk '{ print $1, $2, $3, $4, $5, $6 }' >saved.txt
diff -q copied.txt saved.txt >/dev/null || gui_fail "copied points differ from Airfoil_1.out: $(diff copied.txt saved.txt | head -n 3)"

# --- The polar: the last angle of the lift curve; the copied polar ----------
xdotool windowfocus --sync "$win"
xdotool key ctrl+p
pw=$(gui_wait_window 'Polar. Joukowski aerofoil.') || gui_fail "no polar window"
read -r px py _ < <(gui_geometry "$pw")
# Done when the progress bar is full (1200 blue pixels).
polar_done() {
  for _ in $(seq 1 300); do
    import -window root bar.png
    convert bar.png -crop "200x6+$((px + 14))+$((py + 411))" +repage b.png
    [ "$(gui_count_colour b.png 'rgb(0,0,255)')" -eq 1200 ] && return 0
    sleep 0.1
  done
  gui_fail "the polar was not computed"
}
polar_done
"$cli" --sweep -4:16:1 --bl >cli_polar.txt 2>/dev/null || true
gui_click "$pw" 542 68
copy_values "$pw" polar.tsv
line=$(value_line "$pw" 500 544)
[[ "$line" == "alpha 16.0  Clift "* ]] || gui_fail "the click at the top right of the lift plot marked: $line"
row=$(awk '$1 == "16.000"' cli_polar.txt)
[ "$(value_of "$line" Clift)" = "$(awk '{ printf "%.4f", $2 }' <<<"$row")" ] || gui_fail "Clift: '$line' against '$row'"
# The table's last two columns: the drag estimate and whether it converged.
[ "$(value_of "$line" Cd)" = "$(awk '{ printf "%.5f", $(NF - 1) }' <<<"$row")" ] || gui_fail "Cd: '$line' against '$row'"
awk -F'\t' 'NR > 1 { printf "%.3f %.5f %.6f\n", $1, $2, $3 }' polar.tsv >copied.txt
awk '$1 ~ /^-?[0-9]/ { print $1, $2, $(NF - 1) }' cli_polar.txt >cli.txt
diff -q copied.txt cli.txt >/dev/null || gui_fail "copied polar differs from veltaro-cli: $(diff copied.txt cli.txt | head -n 3)"

# --- Keep, a second polar at Re = 5 million, Clear kept ----------------------
muted() {  # pixels of the first kept polar (tan) in the canvas, and in its legend band
  import -window root k.png
  convert k.png -crop "663x489+$((px + 227))+$((py + 43))" +repage kc.png
  convert kc.png -crop 663x20+0+469 +repage kl.png
  echo "$(gui_count_colour kc.png 'rgb(210,180,140)') $(gui_count_colour kl.png 'rgb(210,180,140)')"
}
m=$(muted); [ "$m" = "0 0" ] || gui_fail "kept polar drawn before Keep ($m)"
gui_click "$pw" 60 500     # Keep
xdotool windowfocus --sync "$pw"
xdotool mousemove --window "$pw" 128 166
xdotool click --repeat 3 --delay 80 1
xdotool type --delay 30 5
xdotool key Return
gui_click "$pw" 60 386     # Compute
sleep 0.5
polar_done
read -r all band < <(muted)
[ "$all" -gt 300 ] && [ "$band" -gt 20 ] || gui_fail "the kept polar is not drawn and listed ($all, $band tan pixels)"
gui_click "$pw" 167 500    # Clear kept
sleep 0.5
[ "$(muted)" = "0 0" ] || gui_fail "Clear kept left the kept polar drawn"

# File > Save picture... (second item) writes the plots as shown under a
# caption band naming the section.
gui_save_picture "$pw" 2 "$work/polar.png"
gui_wait_file polar.png || gui_fail "the polar window saved no picture"
[ "$(identify -format '%wx%h' polar.png)" = 663x$((489 + 23)) ] || gui_fail "picture of $(identify -format '%wx%h' polar.png)"
convert polar.png -crop 663x23+0+0 +repage band.png
[ "$(gui_count_colour band.png 'rgb(0,0,0)')" -gt 50 ] || gui_fail "no caption above the saved polar"
# At a size typed: that size, PNG; as SVG at 300 pixels, the caption
# whole over the lines it needs ("Np 4" was once all a narrow canvas kept).
gui_save_picture "$pw" 2 "$work/big.png" 1200x900
gui_wait_file big.png || gui_fail "no picture at the size typed"
[ "$(identify -format '%wx%h' big.png)" = 1200x900 ] || gui_fail "picture of $(identify -format '%wx%h' big.png)"
gui_save_picture "$pw" 2 "$work/polar.svg" 300x500
gui_wait_file polar.svg || gui_fail "no SVG of the polar"
[ "$(gui_svg_size polar.svg)" = 300x500 ] || gui_fail "SVG of $(gui_svg_size polar.svg)"
[ "$(gui_svg_caption polar.svg)" = "Section: e/R1 0.131, h/R1 0, N 256; Re(mill) 5, Str u 0.02, Str l 0.03, Np 41" ] ||
  gui_fail "the SVG's caption reads '$(gui_svg_caption polar.svg)'"
xdotool windowfocus --sync "$pw"
xdotool key Escape
sleep 0.5

# --- The skin friction: a station at the trailing edge, against veltaro-cli --
xdotool windowfocus --sync "$win"
gui_click "$win" 105 542   # BL Calculation
dlg=$(gui_wait_window 'Boundary Layer. Joukowski aerofoil.') || gui_fail "no boundary-layer window"
gui_wait_passes 2
sleep 0.5
gui_click "$dlg" 764 565
copy_values "$dlg" bl.tsv
line=$(value_line "$dlg" 400 616)
station=$(grep -oE 'station [0-9]+\)' <<<"$line" | tr -dc 0-9)
[[ "$line" == *"(upper surface, station "* ]] || gui_fail "the click on the skin friction marked: $line"
last=$(tail -n1 bl.tsv | cut -f1)
[ "$station" -gt $((last * 9 / 10)) ] || gui_fail "the click at the end of the surface marked station $station of $last"
[ "$(value_of "$line" s/c)" = "$(cell bl.tsv "$station" 2 4)" ] || gui_fail "s/c: '$line'"
[ "$(value_of "$line" Cf)" = "$(awk -F'\t' -v k="$station" '$1 == k { printf "%.4g", $5 }' bl.tsv)" ] ||
  gui_fail "Cf: '$line' against the copied row of station $station"
[ "$(head -n1 bl.tsv)" = "$(printf 'station\ts/c\tUe\tUe inviscid\tCf')" ] || gui_fail "header: $(head -n1 bl.tsv)"
# The copied skin friction is the upper surface's of the same computation
# on the command line, to the last digit.
mkdir cli && (cd cli && "$cli" --bl --json summary.json >/dev/null)
awk '/"cf": \[/ { n++; on = (n == 1); next } on && /\]/ { on = 0 } on { gsub(/[ ,]/, ""); print }' cli/summary.json >cli_cf.txt
awk -F'\t' 'NR > 3 { print $5 }' bl.tsv >copied_cf.txt
tail -n +3 cli_cf.txt | awk '{ printf "%.15g\n", $1 }' >a.txt
awk '{ printf "%.15g\n", $1 }' copied_cf.txt >b.txt
[ "$(wc -l <b.txt)" -gt 50 ] && diff -q a.txt b.txt >/dev/null ||
  gui_fail "copied Cf differs from veltaro-cli: $(diff a.txt b.txt | head -n 3)"

gui_quit "$win"
echo "plot values: PASS"
