#!/usr/bin/env bash
# The main window keeps its first size as its minimum also when the window
# manager resizes it, as when the user drags the frame's corner: xdotool asks
# the window manager for the new size, so Wine's own sizing loop (and its
# WM_GETMINMAXINFO) never runs. A size above the minimum is taken; one below
# it comes back to the minimum on the screen.
#   window_minimum_test.sh BUILD_DIR
# Exits 77 (skipped) without a display or without xdotool.
set -uo pipefail
export BUILD_DIR="${1:?build folder}"
source "$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/env.sh"

[ -n "${DISPLAY:-}" ] || { echo "no display"; exit 77; }
command -v xdotool >/dev/null || { echo "no xdotool"; exit 77; }

wine "$BUILD_DIR/app/kestrova.exe" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT

window=""
for _ in $(seq 1 300); do
  window=$(xdotool search --all --pid "$pid" --name '^Kestrova v3_5-U$' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "FAILED: the main window did not appear"; exit 1; }

size() { xdotool getwindowgeometry "$window" | awk '/Geometry:/ { print $2 }'; }

# Waits up to 5 s for the window's size on the screen to be at least w x h
# (or, with "exact", to be that size); prints the size it has at the end.
settle_at() {
  local now
  for _ in $(seq 1 50); do
    now=$(size)
    if [ "${3:-}" = exact ]; then
      [ "$now" = "$1x$2" ] && break
    elif [ "${now%x*}" -ge "$1" ] && [ "${now#*x}" -ge "$2" ]; then
      break
    fi
    sleep 0.1
  done
  echo "$now"
}

sleep 1
first=$(size)
w=${first%x*}
h=${first#*x}
failed=0

larger="$((w + 80))x$((h + 60))"
xdotool windowsize "$window" $((w + 80)) $((h + 60))
got=$(settle_at $((w + 80)) $((h + 60)) exact)
if [ "$got" != "$larger" ]; then
  echo "FAILED: resized to $larger, the window is $got"
  failed=1
fi

# Narrower, lower, and both: the window is never smaller than its first size.
for smaller in "$((w - 300)) $((h + 60))" "$((w + 80)) $((h - 200))" "600 400"; do
  xdotool windowsize "$window" $smaller
  sleep 0.5
  got=$(settle_at "$w" "$h")
  if [ "${got%x*}" -lt "$w" ] || [ "${got#*x}" -lt "$h" ]; then
    echo "FAILED: asked for ${smaller/ /x} from the window manager, the window is $got, its minimum ${first}"
    failed=1
  fi
done
exit $failed
