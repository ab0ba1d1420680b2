#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with the simulated gauge.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset default
cmake --build --preset default -j"$(nproc)"
exec build/default/pages/korvel-demo "$@"
