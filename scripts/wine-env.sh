# Sourced by the scripts that run Orvane under Wine: a throwaway Wine prefix,
# and a virtual X server when no display is set. Call wine_env_start first
# and wine_env_stop when done (run.sh and the e2e tests trap it on exit).
#
# The environment is hermetic: HOME and the XDG data, config and cache
# folders point into the throwaway folder, so nothing Wine, fontconfig or
# ImageMagick writes reaches the user's home, and a freshly created account
# behaves like any other (Wine's recycle bin is $XDG_DATA_HOME/Trash, which
# a new account does not have yet).

wine_env_start() {
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono/Gecko installers: they would prompt or try to download.
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  export WINEPREFIX
  WINEPREFIX="$(mktemp -d /tmp/orvane-wine.XXXXXX)"
  export HOME="$WINEPREFIX/home"
  export XDG_DATA_HOME="$HOME/.local/share"
  export XDG_CONFIG_HOME="$HOME/.config"
  export XDG_CACHE_HOME="$HOME/.cache"
  mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
  # Wine converts command lines and file names with the locale's character
  # set; without a UTF-8 one, Chinese text would not survive the trip.
  if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then export LC_ALL=C.UTF-8; fi
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
  # A new prefix links Desktop, Documents and friends to the (throwaway)
  # Unix home; make them plain folders of the prefix, as on Windows.
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
