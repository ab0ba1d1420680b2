#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite with CTest.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset default
cmake --build --preset default -j"$(nproc)"
ctest --preset default -j"$(nproc)"
