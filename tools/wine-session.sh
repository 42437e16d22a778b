# Sourced by the scripts that run Windows programs. start_wine_session <prefix>: one wineserver
# for the whole run (stopped when the script exits), and the prefix booted away from the
# script's pipes, since Wine's background services would otherwise inherit a program's output
# and keep its reader (CTest, a pipe) waiting for it to close.
# start_virtual_display, called before it: one virtual X display (Xvfb) for the whole run, so
# that every program of the session, and the desktop Wine keeps from the first of them, sees the
# same display (a program that opens windows after one that ran without a display finds none).
_wine_session_display_pid=
_wine_session_stop() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  if [ -n "$_wine_session_display_pid" ]; then kill "$_wine_session_display_pid" 2>/dev/null || true; fi
}

start_virtual_display() {
  local n=99 tries
  for tries in $(seq 40); do
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    _wine_session_display_pid=$!
    local i
    for i in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$_wine_session_display_pid" 2>/dev/null && break
      sleep 0.1
    done
    if kill -0 "$_wine_session_display_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      trap _wine_session_stop EXIT
      return 0
    fi
    n=$((n + 1))  # taken by someone else meanwhile
  done
  echo "start_virtual_display: no Xvfb display could be started" >&2
  return 1
}

start_wine_session() {
  export WINEPREFIX=$1 WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wineserver -p 2>/dev/null || true  # one may already serve this prefix
  trap _wine_session_stop EXIT
  # An already booted prefix may answer non-zero; a prefix that cannot boot fails the first program.
  WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
}
