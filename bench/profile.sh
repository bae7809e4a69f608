#!/usr/bin/env bash
# Instruction counts (valgrind callgrind, repeatable where timings are not) for the start-up
# of the game and of the bare window, and for a short run of clicks, from the Release tree
# that bench/run.sh builds. Writes callgrind files to build/bench/profile/ for
# callgrind_annotate and prints the totals and the game's own functions that cost the most.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=build/bench
out=$tree/profile
[ -x "$tree/bench/tarvilon_startup_probe_game" ] || { echo "run bench/run.sh first" >&2; exit 1; }
command -v valgrind >/dev/null || { echo "needs valgrind (apt-get install valgrind)" >&2; exit 1; }
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen

run() {  # name, command...
  local name=$1
  shift
  valgrind --tool=callgrind --callgrind-out-file="$out/$name.callgrind" "$@" \
    >"$out/$name.stdout" 2>"$out/$name.log"
  printf '%-14s %15d instructions\n' "$name" \
    "$(grep -m1 '^summary:' "$out/$name.callgrind" | awk '{print $2}')"
}

run startup_bare "$tree/bench/tarvilon_startup_probe_bare" --exec-ns=0,0
run startup_text "$tree/bench/tarvilon_startup_probe_bare" --exec-ns=0,0 --text
run startup_game "$tree/bench/tarvilon_startup_probe_game" --exec-ns=0,0
run clicks_200 "$tree/bench/tarvilon_click_bench" 200

echo
echo "The game's start-up: its own functions by inclusive cost"
callgrind_annotate --inclusive=yes "$out/startup_game.callgrind" 2>/dev/null |
  grep -E 'tarvilon::' | head -15 | sed -E 's/ \[[^]]*\]$//'
