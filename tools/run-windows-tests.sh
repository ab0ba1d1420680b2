#!/usr/bin/env bash
# The Windows build (the core, korvel-cli, the simulated gauge and their tests, cross-compiled
# with MinGW-w64) and its tests under Wine. Installs what is missing, makes the Wine prefix when
# there is none, builds and runs the tests. Only console programs run: no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh windows

export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}"
# The prefix is made without the installers of the .NET and HTML engines, which would ask.
export WINEDLLOVERRIDES="mscoree=;mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    env -u DISPLAY timeout 300 wineboot --init
    timeout 120 wineserver --wait
fi

cmake --preset windows
cmake --build --preset windows -j"$(nproc)"
ctest --preset windows -j"$(nproc)" --timeout 600
