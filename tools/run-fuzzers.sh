#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for a bounded time; any crash, overrun, leak or undefined behaviour fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(fuzz_data_file_reader fuzz_report_export fuzz_report_import fuzz_file_merge
         fuzz_profile_text fuzz_gauge_reply)

cmake --preset fuzz
cmake --build --preset fuzz --target "${targets[@]}"
for t in "${targets[@]}"; do
    mkdir -p "build/fuzz/corpus/$t"
    "build/fuzz/tests/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="build/fuzz/$t-" "build/fuzz/corpus/$t" "tests/fuzz/corpus/$t"
done
