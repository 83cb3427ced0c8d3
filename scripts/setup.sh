#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail

PKGS=(g++-mingw-w64-i686-posix mingw-w64-i686-dev wine wine32:i386 xvfb xauth
      socat cmake make dpkg-dev googletest openbox
      fonts-liberation fonts-urw-base35)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# The window-manager resize test and the desktop tests' keys drive the
# display with xdotool.
PKGS+=(xdotool)

missing=()
for p in "${PKGS[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

# muParser is built from Debian's source package, so source entries must
# exist. They are made from the machine's own binary entries for its release,
# so the same mirror serves both and no address is written here.
src_list=/etc/apt/sources.list.d/kestrova-src.sources
need_update=0
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
# deb822 stanzas of binary packages for the release (not its security suite).
deb822_source_entries() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v cn="$codename" 'BEGIN { RS = ""; ORS = "\n\n" }
      /(^|\n)Types:[^\n]*deb/ && $0 !~ /Types:[^\n]*deb-src/ && $0 ~ ("Suites:[^\n]*" cn "( |\n|$)") {
        gsub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
  done
}
# One-line entries for the release.
one_line_source_entries() {
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
    | grep -E "^deb[[:space:]].*[[:space:]]$codename([[:space:]]|\$)" | sed 's/^deb /deb-src /' || true
}
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
   ! grep -rqs '^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  stanzas=$(deb822_source_entries)
  lines=$(one_line_source_entries)
  [ -z "$stanzas" ] || printf '%s\n' "$stanzas" | $SUDO tee "$src_list" >/dev/null
  [ -z "$lines" ] || printf '%s\n' "$lines" | $SUDO tee "${src_list%.sources}.list" >/dev/null
  if [ -z "$stanzas$lines" ]; then
    echo "setup: no package source of this release found to fetch muParser's source from" >&2
  fi
  need_update=1
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  $SUDO apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
echo "setup: packages ready"
