# Sourced by the scripts that run Orvane under Wine: a throwaway Wine prefix,
# and a virtual X server when no display is set. Call wine_env_start first
# and wine_env_stop when done (run.sh and the e2e tests trap it on exit).

wine_env_start() {
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono/Gecko installers: they would prompt or try to download.
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  export WINEPREFIX
  WINEPREFIX="$(mktemp -d /tmp/orvane-wine.XXXXXX)"
  ORVANE_XVFB_PID=""
  if [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 140); do
      if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
    done
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    ORVANE_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
  # A new prefix links Desktop, Documents and friends to the Unix home
  # folder; keep everything the programs write inside the prefix instead.
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
  done
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${ORVANE_XVFB_PID:-}" ]; then kill "$ORVANE_XVFB_PID" 2>/dev/null || true; fi
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && [[ "$WINEPREFIX" == /tmp/orvane-wine.* ]]; then
    rm -rf "$WINEPREFIX"
  fi
}

# Unix path of a Windows path inside the prefix.
wine_unix_path() { winepath -u "$1" 2>/dev/null; }

# The value of a Windows environment variable as Wine sets it (e.g. LOCALAPPDATA).
wine_getenv() { wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'; }
