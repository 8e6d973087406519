#!/usr/bin/env bash
# End-to-end: the three windows on a laptop screen (1366x768) and a desktop
# one (1920x1080) under a window manager (openbox).  They are ordinary
# top-level windows, none kept above another; the boundary-layer and polar
# windows open where they cover least: at 1920x1080 the boundary-layer
# window beside the aerofoil window and the polar window on neither of
# them, and on both screens never over the aerofoil window's inputs and
# results.  Window > Aerofoil brings the aerofoil window forward from the
# polar window, Window > Flow view the flow view; Window > Tile lays the
# three side by side, or in two columns on the small screen, and puts the
# flow view beside the aerofoil window when it is open; a window shrunk
# far below its size stops at its minimum with every control inside.
# Prints the overlaps it measured.
# Usage: window_layout.sh path/to/veltaro
set -euo pipefail
exe=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

bl_title='Boundary Layer. Joukowski aerofoil.'
polar_title='Polar. Joukowski aerofoil.'
# The aerofoil window's inputs and results lie in its first 230 pixels
# (the Result box ends at 228).
controls_width=230

gui_session
for screen in 1920x1080 1366x768; do
  gui_stop_display
  gui_start_display "$screen"
  gui_start_wm
  cd "$work"
  gui_launch "$exe"
  sleep 0.5
  xdotool windowactivate --sync "$win"
  gui_click "$win" 105 542   # BL Calculation
  bl=$(gui_wait_window "$bl_title") || gui_fail "$screen: no boundary-layer window"
  gui_wait_passes 2
  xdotool windowactivate --sync "$win"
  xdotool key ctrl+p
  pw=$(gui_wait_window "$polar_title") || gui_fail "$screen: no polar window"
  sleep 1

  for w in "$bl" "$pw"; do
    ! xprop -id "$w" WM_TRANSIENT_FOR | grep -q 'window id' || gui_fail "$screen: $(xdotool getwindowname "$w") is kept above another"
  done
  a=$(gui_frame "$win") b=$(gui_frame "$bl") p=$(gui_frame "$pw")
  read -r ax ay _ ah <<<"$a"
  results="$ax $ay $controls_width $ah"
  ab=$(gui_overlap "$a" "$b") ap=$(gui_overlap "$a" "$p") bp=$(gui_overlap "$b" "$p")
  echo "$screen: aerofoil $a, boundary layer $b, polar $p"
  echo "$screen: overlaps (pixels): aerofoil/boundary layer $ab, aerofoil/polar $ap, boundary layer/polar $bp"
  [ "$(gui_overlap "$results" "$b")" -eq 0 ] && [ "$(gui_overlap "$results" "$p")" -eq 0 ] ||
    gui_fail "$screen: a window covers the aerofoil window's results"
  if [ "$screen" = 1920x1080 ]; then
    [ "$ab" -eq 0 ] && [ "$ap" -eq 0 ] || gui_fail "$screen: a window overlaps the aerofoil window"
    [ "$bp" -le $((200 * 210)) ] || gui_fail "$screen: the polar window covers $bp pixels of the boundary-layer window"
  fi

  # Window > Aerofoil (first item) from the polar window: the aerofoil
  # window is the active window.
  xdotool windowactivate --sync "$pw"
  gui_menu_key "$pw" w 1
  sleep 0.5
  [ "$(xdotool getactivewindow)" = "$win" ] || gui_fail "$screen: Window > Aerofoil left $(xdotool getactivewindow) in front"

  # The flow view (Ctrl-F) joins them: Window > Flow view brings it
  # forward from the polar window.
  xdotool windowactivate --sync "$win"
  xdotool key ctrl+f
  fw=$(gui_wait_window "Flow view") || gui_fail "$screen: no flow view"
  sleep 0.5
  xdotool windowactivate --sync "$pw"
  gui_menu_key "$pw" w 4
  sleep 0.5
  [ "$(xdotool getactivewindow)" = "$fw" ] || gui_fail "$screen: Window > Flow view left $(xdotool getactivewindow) in front"
  xdotool key Escape   # closed: Tile lays out the other three
  sleep 0.5

  # Window > Tile (after the separator; the keyboard passes over the
  # flow view's item while the flow view is closed): side by side over the
  # whole width where the minima fit; else the aerofoil window alone on
  # the left, wholly in sight, the others one below the other beside it,
  # the polar at the bottom: no window is cut to a strip of its width.
  gui_menu_key "$win" w 4
  sleep 1
  a=$(gui_frame "$win") b=$(gui_frame "$bl") p=$(gui_frame "$pw")
  echo "$screen: tiled: aerofoil $a, boundary layer $b, polar $p"
  read -r ax _ aw _ <<<"$a"
  read -r bx _ bw _ <<<"$b"
  read -r px py pw_ ph <<<"$p"
  [ "$ax" -eq 0 ] && [ $((px + pw_)) -eq "${screen%x*}" ] || gui_fail "$screen: Tile does not span the screen"
  if [ "$screen" = 1920x1080 ]; then
    [ "$(gui_overlap "$a" "$b")" -eq 0 ] && [ "$(gui_overlap "$b" "$p")" -eq 0 ] ||
      gui_fail "$screen: tiled windows overlap"
  else
    [ "$(gui_overlap "$a" "$b")" -eq 0 ] && [ "$(gui_overlap "$a" "$p")" -eq 0 ] ||
      gui_fail "$screen: a tiled window overlaps the aerofoil window"
    [ "$bx" -eq $((ax + aw)) ] && [ "$px" -eq "$bx" ] && [ "$bw" -ge 700 ] && [ $((py + ph)) -eq "${screen#*x}" ] ||
      gui_fail "$screen: not two columns with the polar below"
  fi

  # With the flow view open too, Tile puts it on the screen beside the
  # aerofoil window, which stays wholly in sight.
  xdotool windowactivate --sync "$win"
  xdotool key ctrl+f
  sleep 0.5
  gui_menu_key "$win" w 5
  sleep 1
  a=$(gui_frame "$win") f=$(gui_frame "$fw")
  echo "$screen: tiled with the flow view: aerofoil $a, flow view $f"
  read -r fx fy fw_ fh <<<"$f"
  [ "$(gui_overlap "$a" "$f")" -eq 0 ] && [ $((fx + fw_)) -le "${screen%x*}" ] && [ $((fy + fh)) -le "${screen#*x}" ] ||
    gui_fail "$screen: the flow view tiled at $f"
  xdotool key --window "$fw" Escape
  sleep 0.3

  # Shrunk far below its size, each window stops at its minimum with every
  # control inside it.
  for w in "$win" "$bl" "$pw"; do
    xdotool windowsize "$w" 200 150
    sleep 0.5
    read -r _ _ ww wh < <(gui_geometry "$w")
    [ "$ww" -gt 200 ] && [ "$wh" -gt 150 ] || gui_fail "$screen: $(xdotool getwindowname "$w") shrank to $ww x $wh"
    outside=$(gui_children_outside "$w")
    [ -z "$outside" ] || gui_fail "$screen: controls outside the $ww x $wh $(xdotool getwindowname "$w"): $outside"
  done
  gui_quit "$win"
done
echo "window layout: PASS"
