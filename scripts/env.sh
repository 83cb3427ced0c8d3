# Shared settings for the build, run and test scripts (sourced, not run).
KESTROVA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export KESTROVA_ROOT
export BUILD_DIR="${BUILD_DIR:-$KESTROVA_ROOT/build}"
export WINEPREFIX="${WINEPREFIX:-$BUILD_DIR/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko installers: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINESERVER_LOG="$BUILD_DIR/wineserver.log"

# Creates the private Wine prefix once.
kestrova_prefix() {
  mkdir -p "$BUILD_DIR"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    wineboot -i >"$BUILD_DIR/wineboot.log" 2>&1 || true
    # A crashing test ends instead of waiting in a debugger dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1 /f >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Each setting is made once, also in a prefix made before it. The wine
  # runs here have no display yet: the server they start must end before
  # anything draws, or its desktop would stay without one.
  local changed=0
  kestrova_ui_font && changed=1
  kestrova_focus_fallback && changed=1
  [ "$changed" = 0 ] || wineserver -w
}

# The program's labels are laid out for "Segoe UI", which Wine does not have;
# its own stand-in (the first sans face it finds) is wider and clips them. A
# narrow face clips the fewest (scripts/setup.sh installs both named here):
# the prefix replaces "Segoe UI" with the first of them that is present.
# Prefixes made before this setting get it on their next use.
KESTROVA_UI_FONT='Liberation Sans Narrow\0Nimbus Sans Narrow'
# Succeeds when it changed the prefix.
kestrova_ui_font() {
  grep -qF "\"Segoe UI\"=str(7):\"$KESTROVA_UI_FONT\\0\"" "$WINEPREFIX/user.reg" 2>/dev/null && return 1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Segoe UI' /t REG_MULTI_SZ \
       /d "$KESTROVA_UI_FONT" /f >/dev/null 2>&1 || true
}

# When two windows close in a row (a dialog and the file dialog or message
# box it opened), the window manager's offer of the focus (WM_TAKE_FOCUS)
# goes to a window that is closing, and the focus ends on the window
# manager's own window: no key reaches the program until it is clicked.
# Without WM_TAKE_FOCUS the window manager gives the focus to the owner
# itself. Succeeds when it changed the prefix.
kestrova_focus_fallback() {
  grep -qs '"UseTakeFocus"="N"' "$WINEPREFIX/user.reg" && return 1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /t REG_SZ /d N /f >/dev/null 2>&1 || true
}

# Starts a wineserver that outlives single runs; its output (it may print its
# object table when a serial pty goes away) goes to a file, not the console.
kestrova_wineserver() {
  mkdir -p "$BUILD_DIR"
  wineserver -p >>"$WINESERVER_LOG" 2>&1 </dev/null &
  sleep 0.2
  # Start Wine's services now, with their output in the log, so that they do
  # not hold on to the output of the first program run.
  wine cmd /c exit >>"$WINESERVER_LOG" 2>&1 </dev/null || true
}

# A small window manager on our own display: without one, Wine delivers
# messages to a modal dialog about 2 s late, and windows do not activate,
# take the focus or keep their minimum size as they do on a desktop. It ends
# with the display.
kestrova_window_manager() {
  command -v openbox >/dev/null || return 0
  openbox --sm-disable >"$BUILD_DIR/openbox.log" 2>&1 </dev/null &
  sleep 0.5
}

# Starts Xvfb on a free display unless one is already given, with a window
# manager on it.
kestrova_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${KESTROVA_FORCE_XVFB:-}" ]; then return 0; fi
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$BUILD_DIR/xvfb.log" 2>&1 &
      KESTROVA_XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      kestrova_window_manager
      return 0
    fi
  done
  echo "No free X display" >&2; return 1
}

kestrova_build() {
  bash "$KESTROVA_ROOT/scripts/muparser.sh" || return 1
  local werror=OFF
  [ "${KESTROVA_WERROR:-}" = 1 ] && werror=ON
  cmake -S "$KESTROVA_ROOT" -B "$BUILD_DIR" -DKESTROVA_WERROR="$werror" \
        -DCMAKE_TOOLCHAIN_FILE="$KESTROVA_ROOT/cmake/toolchain-i686-mingw.cmake" >"$BUILD_DIR/configure.log" 2>&1 \
    || { cat "$BUILD_DIR/configure.log"; return 1; }
  cmake --build "$BUILD_DIR" -j "$(nproc)" "$@"
}
