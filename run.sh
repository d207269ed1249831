#!/usr/bin/env bash
# Installs what is missing, builds the Release configuration and starts the demonstrator.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target modulation
exec build/release/app/modulation "$@"
