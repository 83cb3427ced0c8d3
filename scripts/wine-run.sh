#!/usr/bin/env bash
# Runs one Windows executable under Wine. Before it starts, two serial pty pairs
# are made with socat and linked into the prefix as COM ports, so that a test
# can open one end while the simulated instrument opens the other. The pairs
# are passed on as KESTROVA_TEST_COM_PAIRS="10:11 12:13" (program:instrument).
set -u
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

locks="$WINEPREFIX/comlocks"
mkdir -p "$locks"
pairs=""
pids=()
links=()
cleanup() {
  [ -n "${out:-}" ] && rm -f "$out"
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  for l in "${links[@]}"; do rm -f "$WINEPREFIX/dosdevices/$l"; done
  for n in $pairs; do rmdir "$locks/${n%%:*}" 2>/dev/null; done
}
trap cleanup EXIT

want=${KESTROVA_PAIRS:-2}
got=0
for a in $(seq 10 2 250); do
  [ "$got" -ge "$want" ] && break
  mkdir "$locks/$a" 2>/dev/null || continue
  b=$((a + 1))
  rm -f "$WINEPREFIX/dosdevices/com$a" "$WINEPREFIX/dosdevices/com$b"
  socat pty,raw,echo=0,link="$WINEPREFIX/dosdevices/com$a" \
        pty,raw,echo=0,link="$WINEPREFIX/dosdevices/com$b" 2>/dev/null &
  pids+=($!)
  links+=("com$a" "com$b")
  pairs="$pairs $a:$b"
  got=$((got + 1))
done
for l in "${links[@]}"; do
  for _ in $(seq 1 100); do [ -e "$WINEPREFIX/dosdevices/$l" ] && break; sleep 0.02; done
done
export KESTROVA_TEST_COM_PAIRS="${pairs# }"
# Wine's own services (started by the first program of a wineserver) inherit
# the output handles and outlive the program; a caller reading a pipe would
# wait for them. Their copy goes to a file instead.
out=$(mktemp "${TMPDIR:-/tmp}/kestrova-run.XXXXXX")
wine "$@" >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
