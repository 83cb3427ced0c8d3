#!/usr/bin/env bash
# The main window keeps its first size as its minimum also when the window
# manager resizes it (xdotool asks it, so Wine's own sizing loop and its
# WM_GETMINMAXINFO never run): a larger size is taken, a smaller one not.
#   window_minimum_test.sh BUILD_DIR    (77, skipped, without a display or xdotool)
set -uo pipefail
export BUILD_DIR="${1:?build folder}"
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/env.sh"

[ -n "${DISPLAY:-}" ] || { echo "no display"; exit 77; }
command -v xdotool >/dev/null || { echo "no xdotool"; exit 77; }

wine "$BUILD_DIR/app/kestrova.exe" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT

for _ in $(seq 1 300); do
  window=$(xdotool search --all --pid "$pid" --name '^Kestrova v3_5-U$' 2>/dev/null | head -1)
  [ -n "$window" ] && break || sleep 0.1
done
[ -n "$window" ] || { echo "FAILED: the main window did not appear"; exit 1; }

size() { xdotool getwindowgeometry "$window" | awk '/Geometry:/ { print $2 }'; }

# Past the start-up's own sizing, which would undo a first resize.
sleep 2
first=$(size) w=${first%x*} h=${first#*x} failed=0
# Each row: the size asked for, and the least size the window must have
# within 5 s after.
for row in "$((w + 80)) $((h + 60)) $((w + 80)) $((h + 60))" "$((w - 300)) $((h + 60)) $w $h" \
           "$((w + 80)) $((h - 200)) $w $h" "600 400 $w $h"; do
  read -r ask_w ask_h least_w least_h <<<"$row"
  xdotool windowsize "$window" "$ask_w" "$ask_h"
  sleep 0.5
  for _ in $(seq 1 50); do
    got=$(size) ok=""
    [ "${got%x*}" -ge "$least_w" ] && [ "${got#*x}" -ge "$least_h" ] && ok=1 && break
    sleep 0.1
  done
  [ -n "$ok" ] || { echo "FAILED: asked for ${ask_w}x$ask_h, the window is $got, first $first"; failed=1; }
done
exit $failed
