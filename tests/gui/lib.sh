# Helpers for end-to-end tests of the real program under a virtual display.
# Source this file; call gui_start_display first.

gui_fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb on a free display (1600x1300 unless a size is given); sets
# DISPLAY and XVFB_PID.
gui_start_display() {  # [WIDTHxHEIGHT]
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 5 -screen 0 "${1:-1600x1300}x24" -noreset -nolisten tcp 5>"$fdfile" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 1 200); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  [ -s "$fdfile" ] || gui_fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# A fresh working folder ($work) and a display for one test.  On exit the
# program (APP_PID), the display and the folder go; KEEP=1 keeps the folder.
gui_session() {
  work=$(mktemp -d)
  trap 'if [ -n "${APP_PID:-}" ]; then kill "$APP_PID" 2>/dev/null || true; fi; gui_stop_display; [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
  gui_start_display
}

# Starts the program (any command line, e.g. under valgrind) in the current
# folder with its output in app.log, waits for the aerofoil window and sets
# APP_PID and win.
gui_launch() {  # [--wait seconds] command...
  local limit=10
  if [ "$1" = --wait ]; then limit=$2; shift 2; fi
  "$@" >app.log 2>&1 &
  APP_PID=$!
  win=$(gui_wait_window "Joukowski Aerofoil" "$limit") || gui_fail "aerofoil window did not appear"
}

gui_stop_display() {
  if [ -n "${WM_PID:-}" ]; then kill "$WM_PID" 2>/dev/null; wait "$WM_PID" 2>/dev/null; WM_PID=; fi
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  return 0
}

# Starts the window manager openbox on the display, for the tests of where
# windows go and which is in front; sets WM_PID once it manages the screen.
gui_start_wm() {
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 1 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.05
  done
  gui_fail "the window manager did not start"
}

# A window's outer frame with the manager's decorations: "x y width height".
gui_frame() {  # window
  local x y w h l r t b
  read -r x y w h < <(gui_geometry "$1")
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',')
  echo $((x - ${l:-0})) $((y - ${t:-0})) $((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0}))
}

# Pixels two rectangles "x y w h" have in common.
gui_overlap() {  # "x y w h" "x y w h"
  local ax ay aw ah bx by bw bh
  read -r ax ay aw ah <<<"$1"
  read -r bx by bw bh <<<"$2"
  local w=$(( (ax + aw < bx + bw ? ax + aw : bx + bw) - (ax > bx ? ax : bx) ))
  local h=$(( (ay + ah < by + bh ? ay + ah : by + bh) - (ay > by ? ay : by) ))
  [ "$w" -gt 0 ] && [ "$h" -gt 0 ] && echo $((w * h)) || echo 0
}

# Polls for a visible window whose title matches exactly; prints its id.
gui_wait_window() {
  local title=$1 limit=${2:-10} id=""
  for _ in $(seq 1 $((limit * 20))); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# Answers "No" in the question box titled $1 that a save asks before it
# replaces a file (a small box; "No" sits right of the middle of its
# button row).
gui_answer_no() {  # title
  local box BW BH
  box=$(gui_wait_window "$1") || gui_fail "no question before replacing a file ($1)"
  eval "$(xwininfo -id "$box" | awk '/Width:/{print "BW=" $2} /Height:/{print "BH=" $2}')"
  [ "$BH" -lt 200 ] || gui_fail "expected the question box, found a window of height $BH"
  xdotool windowfocus --sync "$box"
  gui_click "$box" $((BW * 73 / 100)) $((BH - 22))
}

# Polls until a file exists and is not empty.
gui_wait_file() {
  local path=$1 limit=${2:-10}
  for _ in $(seq 1 $((limit * 20))); do
    [ -s "$path" ] && return 0
    sleep 0.05
  done
  return 1
}

gui_click() {  # window x y [count]  (x, y relative to the window)
  xdotool mousemove --window "$1" "$2" "$3"
  xdotool click --repeat "${4:-1}" --delay 80 1
  sleep 0.3
}

# Number of pixels of one exact colour in a screenshot.
gui_count_colour() {  # png 'rgb(r,g,b)'
  convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}

# Boundary-layer passes finished so far: each ends with this line in the
# march report of the working folder.
gui_passes() { grep -c 'The end of b.l. computation' CalcBl.out 2>/dev/null || true; }

gui_wait_passes() {  # count [seconds]
  local limit=${2:-30}
  for _ in $(seq 1 $((limit * 20))); do
    [ "$(gui_passes)" -ge "$1" ] && return 0
    sleep 0.05
  done
  gui_fail "expected $1 passes in CalcBl.out, found $(gui_passes)"
}

# Ctrl-Q in the aerofoil window must end the program (APP_PID) with exit
# code 0.
gui_quit() {  # window [seconds]
  local limit=${2:-10} code
  xdotool windowfocus --sync "$1"
  xdotool key ctrl+q
  for _ in $(seq 1 $((limit * 20))); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
  set +e
  wait "$APP_PID"
  code=$?
  set -e
  APP_PID=
  [ "$code" -eq 0 ] || gui_fail "exit code $code after Ctrl-Q"
}

# Opens the n-th item of a window's File menu.
gui_menu_item() {  # window n
  xdotool windowfocus --sync "$1"
  xdotool key alt+f
  sleep 0.2
  for _ in $(seq 1 "$2"); do xdotool key Down; done
  xdotool key Return
}

# Opens a menu of a window by its Alt key and takes its n-th item (the
# keyboard passes over separators).
gui_menu_key() {  # window letter n
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
  xdotool key "alt+$2"
  sleep 0.2
  for _ in $(seq 1 "$3"); do xdotool key Down; done
  xdotool key Return
}

# Types the path into the name field of the save dialog with this caption
# and confirms.
gui_type_file_name() {  # caption path
  local dlg W H
  dlg=$(gui_wait_window "$1") || gui_fail "no \"$1\" dialog"
  eval "$(xwininfo -id "$dlg" | awk '/Width:/{print "W=" $2} /Height:/{print "H=" $2}')"
  xdotool windowfocus --sync "$dlg"
  gui_click "$dlg" $((W / 2)) $((H - 47)) 3   # the name field, its text selected
  xdotool type --delay 20 "$2"
  xdotool key Return
}

# A saved SVG picture's size, "WIDTHxHEIGHT", and its caption: the texts
# of its first panel, their lines joined by blanks.
gui_svg_size() {  # file
  sed -n '0,/<svg xmlns/s/.*<svg xmlns="[^"]*" width="\([0-9]*\)" height="\([0-9]*\)".*/\1x\2/p' "$1"
}
gui_svg_caption() {  # file
  awk '/<svg x="0" y="0"/ { c = 1 } c && /<\/svg>/ { exit } c' "$1" |
    sed -n 's/.*<text[^>]*>\(.*\)<\/text>/\1/p' | paste -sd' '
}

# A File menu item that asks for a file name (the n-th item, e.g. 3 Export
# contour... in the aerofoil window): opened from the window, the path typed
# into its save dialog.
gui_save_as() {  # window n caption path
  gui_menu_item "$1" "$2"
  gui_type_file_name "$3" "$4"
}

# File > Save picture... of a window (its n-th File item): the size box
# answered, WIDTHxHEIGHT typed or the size it offers taken with Return,
# then the path typed into the save dialog.
gui_save_picture() {  # window n path [WIDTHxHEIGHT]
  local box
  gui_menu_item "$1" "$2"
  box=$(gui_wait_window "Picture size") || gui_fail "no picture size asked"
  xdotool windowfocus --sync "$box"
  if [ -n "${4:-}" ]; then
    xdotool type --delay 30 "${4%x*}"
    xdotool key Tab ctrl+a
    xdotool type --delay 30 "${4#*x}"
  fi
  xdotool key Return
  gui_type_file_name "Save picture" "$3"
}

# Child windows of a top-level window that reach outside it, one line each
# (empty when every control lies inside).
gui_children_outside() {  # window
  local x y w h
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/{print "x=" $4} /Absolute upper-left Y/{print "y=" $4}
                                    /Width:/{print "w=" $2} /Height:/{print "h=" $2}')"
  xwininfo -tree -id "$1" | awk -v X="$x" -v Y="$y" -v W="$w" -v H="$h" '
    /^ +0x/ {
      for (i = 1; i < NF; i++)
        if ($i ~ /^[0-9]+x[0-9]+[-+][0-9]+[-+][0-9]+$/) {
          split($i, size, /[x+-]/)
          s = $(i + 1); rest = substr(s, 2); p = match(rest, /[-+]/)
          ax = substr(s, 1, p) + 0; ay = substr(rest, p) + 0
          if (ax < X || ay < Y || ax + size[1] > X + W || ay + size[2] > Y + H) print $1, $i, $(i + 1)
        }
    }'
}

# Where a window is on the screen: "x y width height".
gui_geometry() {  # window
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                           /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
