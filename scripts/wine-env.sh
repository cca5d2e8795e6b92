# Sourced by the scripts that run Windows programs: one Wine prefix for the project under the
# build folder (never ~/.wine), quiet, with no add-on prompts and a fixed locale, so the ANSI code
# page is 1252 on every machine.
CALMORA_ROOT=${CALMORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$CALMORA_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64
export LC_ALL=C.UTF-8 LANG=C.UTF-8

# Creates the prefix once; later calls find it ready.
calmora_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Wine's own title bars draw their buttons with Marlett, which Debian's Wine does not put into a
  # new prefix.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  # With no window manager on a virtual display, Wine waits two seconds for one to withdraw every
  # closing window; unmanaged windows close at once.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
  fi
}

# A virtual display when there is none, on the first free display number.
calmora_virtual_display() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # -noreset keeps the display's resources when its last client goes.
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  CALMORA_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    if [ -e "/tmp/.X11-unix/X$n" ]; then
      # Every desktop session loads X resources. Without any, Xlib looks for ~/.Xdefaults again
      # at every pixmap Wine makes, which more than doubles the time Wine's edit control takes
      # to lay out a long text. One resource that nothing reads is enough.
      echo "Calmora.virtualDisplay: true" | xrdb -merge - 2>/dev/null || true
      return 0
    fi
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

calmora_stop_virtual_display() {
  if [ -n "${CALMORA_XVFB_PID:-}" ]; then kill "$CALMORA_XVFB_PID" 2>/dev/null || true; fi
}
