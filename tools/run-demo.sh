#!/usr/bin/env bash
# Installs what is missing, builds the demo program (not the tests) and starts it with the
# simulated gauge. Arguments go to korvel-demo (e.g. --smoke to quit once the window shows).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset default
cmake --build --preset default -j"$(nproc)" --target korvel-demo
exec build/default/pages/korvel-demo "$@"
