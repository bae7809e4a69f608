#!/usr/bin/env bash
# Performance report: builds a Release tree in build/bench, runs the engine benchmarks, the
# start-up and click probes and the idle measurement, prints the report and writes it to
# build/bench/report.txt; then the browser edition's report (bench/web_perf.py). Options go to
# bench/run.py (--runs, --clicks, --idle-seconds, --repetitions). Takes a few minutes; it is not
# a test and ctest never runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/install_missing.sh

packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libbenchmark-dev xvfb xdotool python3)
install_missing "${packages[@]}"

tree=build/bench
cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF -DTARVILON_BUILD_BENCH=ON >/dev/null
cmake --build "$tree" --target tarvilon tarvilon_engine_bench tarvilon_startup_probe_game \
  tarvilon_startup_probe_bare tarvilon_click_bench
/usr/bin/python3 bench/run.py "$tree" "$@"

# The browser edition: built with the web preset and measured in headless Chromium; its report
# follows the desktop's and is written to build/web/perf_report.txt.
web_packages=(emscripten fonttools python3-brotli librsvg2-bin chromium chromium-driver python3-selenium)
install_missing "${web_packages[@]}"
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
echo
/usr/bin/python3 bench/web_perf.py build/web/site --out build/web/perf_report.txt
