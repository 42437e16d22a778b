# Sourced by the scripts that run Windows programs. start_wine_session <prefix>: one wineserver
# for the whole run (stopped when the script exits), and the prefix booted away from the
# script's pipes, since Wine's background services would otherwise inherit a program's output
# and keep its reader (CTest, a pipe) waiting for it to close.
start_wine_session() {
  export WINEPREFIX=$1 WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wineserver -p 2>/dev/null || true  # one may already serve this prefix
  trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
  # An already booted prefix may answer non-zero; a prefix that cannot boot fails the first program.
  WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
}
