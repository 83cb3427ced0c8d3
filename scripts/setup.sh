#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail

PKGS=(g++-mingw-w64-i686-posix mingw-w64-i686-dev wine wine32:i386 xvfb xauth
      socat cmake make dpkg-dev googletest)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

missing=()
for p in "${PKGS[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

# muParser is built from Debian's source package, so the deb-src lines must exist.
src_list=/etc/apt/sources.list.d/kestrova-src.sources
need_update=0
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  $SUDO tee "$src_list" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
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
