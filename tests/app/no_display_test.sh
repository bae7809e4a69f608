#!/usr/bin/env bash
# Without a usable display the game must say so in one line on standard error and exit
# non-zero, never dump core or print Qt's report.
set -u
game=$1
fail=0
check() {
  local what=$1; shift
  local err rc
  err=$(env "$@" "$game" 2>&1 >/dev/null)
  rc=$?
  local lines
  lines=$(printf '%s\n' "$err" | grep -c .)
  if [ "$rc" -ne 1 ] || [ "$lines" -ne 1 ] || ! grep -q '^tarvilon: ' <<<"$err"; then
    echo "FAIL $what: exit $rc, $lines lines:"
    printf '%s\n' "$err"
    fail=1
  else
    echo "ok   $what: $err"
  fi
}
check "no DISPLAY" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
# A display number nobody serves: the connection is refused.
check "refused X display" -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:987
check "refused Wayland display" -u DISPLAY WAYLAND_DISPLAY=tarvilon-none QT_QPA_PLATFORM=wayland
exit $fail
