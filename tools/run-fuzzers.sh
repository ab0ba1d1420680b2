#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for a bounded time; any crash, overrun, leak or undefined behaviour fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(fuzz_data_file_reader fuzz_text_report_writer fuzz_text_report_reader fuzz_file_merge
         fuzz_profile_text fuzz_gauge_reply)

cmake --preset fuzz
cmake --build --preset fuzz --target "${targets[@]}"
# A failing input is printed in base64 too, so a run on a machine that is gone (CI) can be
# reproduced: base64 -d > input; build/fuzz/tests/fuzz/TARGET input
for t in "${targets[@]}"; do
    mkdir -p "build/fuzz/corpus/$t"
    rm -f "build/fuzz/$t-"*
    if ! "build/fuzz/tests/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="build/fuzz/$t-" "build/fuzz/corpus/$t" "tests/fuzz/corpus/$t"; then
        for input in "build/fuzz/$t-"*; do
            [ -f "$input" ] && { echo "$input in base64:"; base64 "$input"; }
        done
        exit 1
    fi
done
