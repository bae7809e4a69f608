#!/usr/bin/env bash
# One command for everything on a fresh Debian 12 machine:
#   ./run.sh play   install what is missing, build, and start the game
#   ./run.sh test   install what is missing, build with GCC and with clang, and run every test
#   ./run.sh web    install what is missing, build the browser edition, and serve it locally
set -euo pipefail
cd "$(dirname "$0")"

# What the build, the game and the tests need from Debian (gettext compiles the translations).
packages=(
  build-essential cmake ninja-build pkg-config gettext
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
)
test_packages=(
  xvfb xauth xdotool x11-utils x11-xkb-utils imagemagick
  dbus at-spi2-core python3 python3-pyatspi orca
  desktop-file-utils appstream lintian
  clang libclang-rt-14-dev clang-format
  weston qt6-wayland
)

# What the browser edition's build needs: the WebAssembly compiler, the tools that cut the
# font down and draw the app icons, gettext for the translations, and TypeScript's checker,
# which reads the page's scripts (a test) and writes them without their comments for the site.
web_packages=(
  cmake ninja-build python3 gettext
  emscripten fonttools python3-brotli librsvg2-bin node-typescript
)
# What the browser tests drive the page with: headless Chromium, WebKit's MiniBrowser (in the
# end-to-end tests' Xvfb, from test_packages) and Firefox ESR, which speaks WebDriver BiDi over
# a websocket itself.
browser_packages=(
  chromium chromium-driver python3-selenium
  webkit2gtk-driver firefox-esr python3-websocket
)

source tools/install_missing.sh

# Configures and builds one preset of CMakePresets.json (its build tree is build/<preset>).
build() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
}

# Builds one preset and runs its tests.
build_and_test() {
  build "$1"
  ctest --preset "$1"
}

case "${1:-}" in
  play)
    install_missing "${packages[@]}"
    build default
    exec ./build/default/tarvilon
    ;;
  test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    # GCC first, then clang: the same suites again, built by the other compiler, under the
    # address and undefined-behaviour sanitizers.
    build_and_test default
    build_and_test sanitize
    # The browser edition, built with emscripten and played in Chromium, WebKit and Firefox.
    install_missing "${web_packages[@]}" "${browser_packages[@]}"
    build_and_test web
    ;;
  web)
    install_missing "${web_packages[@]}"
    build web
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    echo "The browser edition is at http://127.0.0.1:$port/ (Ctrl+C stops the server)"
    exec python3 -m http.server --bind 127.0.0.1 --directory build/web/site "$port"
    ;;
  *)
    echo "usage: $0 play|test|web" >&2
    exit 2
    ;;
esac
