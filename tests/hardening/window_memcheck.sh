#!/usr/bin/env bash
# Memory check of the window under valgrind's memcheck and a virtual
# display: start, one step of the Alpha spinner, BL Calculation twice (the
# second window replaces the first), Recalculate, the polar window (Ctrl-P),
# quit with Ctrl-Q while the polar computes.
# Passes when valgrind reports no invalid read or write anywhere and no
# block definitely lost that the program's own code allocated (the X and
# font libraries keep some memory to the end of the process; those blocks
# are theirs).
# Usage: window_memcheck.sh path/to/veltaro [log-file]
set -euo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")/../gui" && pwd)
source "$here/lib.sh"

gui_session
log=${2:-$work/memcheck.log}
cd "$work"
gui_launch --wait 120 valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
  --num-callers=30 --log-file="$log" "$exe"
xdotool windowmove --sync "$win" 0 0
sleep 2

title='Boundary Layer. Joukowski aerofoil.'

gui_click "$win" 141 103     # Alpha one step up
sleep 2
gui_click "$win" 105 542     # BL Calculation
gui_wait_passes 2 120
gui_wait_window "$title" 60 >/dev/null || gui_fail "no boundary-layer window"
sleep 2
xdotool windowfocus --sync "$win"
gui_click "$win" 105 542     # again: a new window replaces the first
gui_wait_passes 4 120
sleep 2
dlg=$(gui_wait_window "$title" 60) || gui_fail "no boundary-layer window after the second hand-over"
xdotool windowfocus --sync "$dlg"
gui_click "$dlg" 88 610      # Recalculate
gui_wait_passes 6 120
sleep 2
xdotool windowfocus --sync "$win"
xdotool key ctrl+p           # its thread is still computing at the quit
gui_wait_window 'Polar. Joukowski aerofoil.' 60 >/dev/null || gui_fail "no polar window"
sleep 2

gui_quit "$win" 120
grep -q "ERROR SUMMARY" "$log" || gui_fail "valgrind wrote no summary"

invalid=$(grep -cE 'Invalid (read|write|free)|Mismatched free' "$log" || true)
# A definitely lost block is the program's own when the first frame below
# the allocator lies in the program itself rather than a shared library.
own_leaks=$(awk -v exe="$exe" '
  /definitely lost in loss record/ { inrec = 1; next }
  inrec && /(at|by) 0x/ {
    if ($0 ~ /(malloc|calloc|realloc|operator new)/) next
    if (index($0, "(in " exe ")") || $0 ~ /\((app|ui|src|aerofoil)\/[^:]*:[0-9]+\)/ ||
        $0 ~ /\([A-Za-z_0-9]+\.(cpp|h):[0-9]+\)/ && $0 !~ /FX::/) n++
    inrec = 0
  }
  END { print n + 0 }' "$log")
grep -E 'ERROR SUMMARY|definitely lost:|indirectly lost:' "$log" | sed 's/^==[0-9]*== */  /'
[ "$invalid" -eq 0 ] || gui_fail "$invalid invalid accesses (valgrind log: $log)"
[ "$own_leaks" -eq 0 ] || gui_fail "$own_leaks blocks definitely lost by the program (valgrind log: $log)"
echo "window memcheck: PASS"
