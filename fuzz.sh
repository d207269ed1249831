#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for the given seconds (default 60) from its seed
# corpus. New inputs go to build/fuzz/corpus, crashes to build/fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")"
seconds=${1:-60}
tools/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMODULATION_SANITIZE=ON -DMODULATION_FUZZ=ON \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
targets=$(cd fuzz && ls *.cpp | sed 's/\.cpp$//')
cmake --build build/fuzz --target $(for t in $targets; do printf 'fuzz_%s ' "$t"; done)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in $targets; do
    mkdir -p "build/fuzz/corpus/$t" "build/fuzz/crashes/$t"
    echo "== fuzz_$t for ${seconds}s"
    "build/fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
        -rss_limit_mb=4096 -artifact_prefix="build/fuzz/crashes/$t/" \
        "build/fuzz/corpus/$t" "fuzz/corpus/$t"
done
