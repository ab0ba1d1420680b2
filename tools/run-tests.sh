#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite with CTest.
# Usage: tools/run-tests.sh [preset]   (default: "default"; CI passes "ci", where every
# warning fails the build)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"

tools/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)"
