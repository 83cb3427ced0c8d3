#!/usr/bin/env bash
# The layer check passes on a tree whose includes only go down or stay in
# their folder, and fails on each kind of include that goes up or sideways.
set -uo pipefail
check="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/check-layers.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failed=0

plant() { # folder/file.h include expected-status
  rm -rf "${tree:?}"/*
  mkdir -p "$tree/$(dirname "$1")"
  printf '#include "%s"\n' "$2" >"$tree/$1"
  bash "$check" "$tree" >/dev/null 2>&1
  local got=$?
  if [ "$got" -ne "$3" ]; then
    echo "FAILED: $1 including $2 gave $got, expected $3"
    failed=1
  fi
}

plant app/main.cpp views/layout.h 0        # down
plant slots/slots.cpp config/item.h 0      # down one
plant frame/drawing.cpp frame/version.h 0  # its own folder
plant frame/drawing.cpp drawing.h 0        # a neighbour without a folder
plant config/config.cpp app/main_window.h 1  # up to the top
plant link/transport.cpp slots/slots.h 1   # up one layer
plant views/view.cpp configui/pages.h 1    # sideways
plant frame/frame.rc link/dialogs.rc 1     # sideways, in a resource script
plant base/text.h tests/support/x.h 1      # into the tests
plant configui/window/w.cpp configui/pages/p.h 0   # down inside configui/
plant configui/pages/p.cpp configui/engine/e.h 0   # down inside configui/
plant configui/pages/p.cpp configui/pages/q.h 0    # its own sub-folder
plant configui/engine/e.cpp configui/pages/p.h 1   # up inside configui/
plant configui/pages/p.cpp configui/window/w.h 1   # up inside configui/
plant configui/engine/e.cpp configui/top.h 1       # to no sub-folder

exit "$failed"
