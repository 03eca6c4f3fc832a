# Sourced by the scripts: a Wine prefix of the build tree's own and an X
# server of its own, both ended by wine_env_stop.
wine_env_start() {
  local root=$1 name=$2
  export WINEPREFIX="$root/build/$name-prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  local display
  for display in $(seq 90 140); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    sleep 0.5
    if kill -0 "$XVFB_PID" 2>/dev/null; then break; fi
  done
  export DISPLAY=":$display"
  trap wine_env_stop EXIT
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    wineboot -i >/dev/null 2>&1
  else
    wineboot >/dev/null 2>&1
  fi
}

wine_env_stop() {
  wineserver -k 2>/dev/null || true
  [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}
