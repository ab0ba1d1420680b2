#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted as .clang-format says, and names it.
# Usage: tools/check-format.sh   (fix with: clang-format -i FILE)
set -euo pipefail
cd "$(dirname "$0")/.."

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.h' '*.cpp')
else
    mapfile -t files < <(find . -path ./build -prune -o \( -name '*.h' -o -name '*.cpp' \) -print)
fi
clang-format --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
