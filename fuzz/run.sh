#!/usr/bin/env bash
# Builds the libFuzzer target with clang in a build directory of its own and runs it for
# SECONDS (default 60) on a scratch copy of the seed corpus, so the committed corpus stays as
# it is. Crash inputs are kept in the build directory's artifacts/.
#   fuzz/run.sh [SECONDS]
set -euo pipefail

seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: fuzz/run.sh [SECONDS]" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TARVILON_FUZZ_BUILD:-$root/build/fuzz}

die() {
  echo "fuzz/run.sh: $*" >&2
  exit 1
}

# clang and libFuzzer: Debian's clang, and the runtime libraries package of the same version.
links_fuzzer() {
  local dir
  dir=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    >"$dir/probe.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$dir/probe.cpp" -o "$dir/probe" >/dev/null 2>&1
  local ok=$?
  rm -rf "$dir"
  return $ok
}
if ! command -v clang++ >/dev/null 2>&1 || ! links_fuzzer; then
  [ "$(id -u)" -eq 0 ] || die "clang++ with libFuzzer is missing; install: apt-get install clang libclang-rt-14-dev"
  echo "Installing clang and libFuzzer"
  apt-get update -qq || die "apt-get update failed"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    clang libclang-rt-14-dev >/dev/null || die "could not install clang libclang-rt-14-dev"
  links_fuzzer || die "clang++ -fsanitize=fuzzer still does not link"
fi

# The whole tree built by clang gets coverage, the sanitizers and the standard library's bounds
# checks, so the engine is fuzzed, not only the harness. One build at a time in the directory.
mkdir -p "$build"
exec 9>"$build/.lock"
flock 9
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVILON_ASSERTIONS=ON \
  -DBUILD_TESTING=ON -DTARVILON_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  >/dev/null || die "configuring $build failed"
cmake --build "$build" --target tarvilon_fuzz >/dev/null || die "building tarvilon_fuzz failed"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root"/fuzz/corpus/* "$work/"
mkdir -p "$build/artifacts"
echo "Fuzzing for $seconds s on a copy of fuzz/corpus ($(ls "$work" | wc -l) seeds)"
status=0
"$build/fuzz/tarvilon_fuzz" "$work" -max_total_time="$seconds" -dict="$root/fuzz/game.dict" \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 >"$build/fuzz.log" 2>&1 || status=$?
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz.log" || true
if [ $status -ne 0 ]; then
  tail -n 60 "$build/fuzz.log"
  die "the fuzzer found a fault (exit $status); the input is in $build/artifacts/"
fi
echo "fuzz: no fault found"
