#!/usr/bin/env bash
# Builds the muParser expression library that Kestrova loads for its
# equations: Debian's source package, cross-compiled as a 32-bit Windows DLL
# with the program's own toolchain, and left as $BUILD_DIR/muparser/muparser.dll.
# The build copies it beside the program and the test executables.
# Safe to run again: it does nothing once the DLL is there.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

out="$BUILD_DIR/muparser"
[ -f "$out/muparser.dll" ] && exit 0

work="$BUILD_DIR/muparser-src"
mkdir -p "$work" "$out"
src=$(find "$work" -maxdepth 2 -name CMakeLists.txt -path '*/muparser-*' -printf '%h\n' 2>/dev/null | head -n 1)
if [ -z "$src" ]; then
  # The package sources come from the machine's own entries (scripts/setup.sh).
  (cd "$work" && apt-get source -q muparser >"$work/fetch.log" 2>&1) \
    || { cat "$work/fetch.log" >&2; echo "muparser: cannot fetch Debian's source package" >&2; exit 1; }
  src=$(find "$work" -maxdepth 2 -name CMakeLists.txt -path '*/muparser-*' -printf '%h\n' | head -n 1)
fi

# The DLL carries its C++ runtime, like the program: no MinGW DLLs beside it.
cmake -S "$src" -B "$work/build" \
      -DCMAKE_TOOLCHAIN_FILE="$KESTROVA_ROOT/cmake/toolchain-i686-mingw.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DENABLE_SAMPLES=OFF \
      -DENABLE_OPENMP=OFF -DENABLE_WIDE_CHAR=OFF -DBUILD_TESTING=OFF \
      -DCMAKE_SHARED_LINKER_FLAGS="-s -static -static-libgcc -static-libstdc++" \
      >"$work/configure.log" 2>&1 || { cat "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" -j "$(nproc)" >"$work/build.log" 2>&1 \
  || { cat "$work/build.log" >&2; exit 1; }
dll=$(find "$work/build" -maxdepth 2 -iname '*muparser*.dll' | head -n 1)
[ -n "$dll" ] || { echo "muparser: the build made no DLL" >&2; exit 1; }
cp "$dll" "$out/muparser.dll.part"
mv "$out/muparser.dll.part" "$out/muparser.dll"
echo "muparser: $out/muparser.dll"
