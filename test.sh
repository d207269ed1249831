#!/usr/bin/env bash
# Installs what is missing (the OPC UA test peer's npm packages too), builds with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs every test through CTest on Qt's
# offscreen platform.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/install-peer.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMODULATION_SANITIZE=ON >/dev/null
cmake --build build/test
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/test --output-on-failure "$@"
