#!/usr/bin/env bash
# Screenshots of every window of the game, at scale 1 and again at scale 2 (suffix -2x),
# taken while playing one whole game in a private X server. Builds nothing.
#   tools/screenshots.sh [OUTDIR (./screenshots)] [GAME_BINARY (build/default/tarvilon)]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
outdir=${1:-./screenshots}
binary=${2:-$root/build/default/tarvilon}
if [ ! -x "$binary" ]; then
  echo "screenshots.sh: no game at $binary; build it first: cmake --build build/default" >&2
  exit 1
fi
mkdir -p "$outdir"
# The road's reader finds the controls through the layout tables, which this tool prints.
export TARVILON_LAYOUT_JSON=${TARVILON_LAYOUT_JSON:-$(dirname "$binary")/tools/layout_json/tarvilon_layout_json}

# The helper owns the X server and the buses and ends them itself on SIGTERM; all this
# script must do on an interrupt is pass it on, by PID.
helper=
trap 'if [ -n "$helper" ]; then kill -TERM "$helper" 2>/dev/null || true; wait "$helper" || true; fi' EXIT
trap 'exit 130' INT TERM

# One process per scale: a process binds to one accessibility bus.
for scale in 1 2; do
  /usr/bin/python3 "$root/tools/screenshots.py" "$binary" "$outdir" "$scale" &
  helper=$!
  wait "$helper"
  helper=
done
