#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in Release and runs them; extra arguments go
# to the benchmark binary (for example --benchmark_filter=Compact).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/install-peer.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMODULATION_BENCH=ON >/dev/null
cmake --build build/bench --target plot_bench channel_bench plot_render_bench knob_bench \
    plot_configuration_bench opcua_bench
QT_QPA_PLATFORM=offscreen build/bench/bench/plot_bench "$@"
QT_QPA_PLATFORM=offscreen build/bench/bench/channel_bench "$@"
QT_QPA_PLATFORM=offscreen build/bench/bench/plot_render_bench "$@"
QT_QPA_PLATFORM=offscreen build/bench/bench/knob_bench "$@"
QT_QPA_PLATFORM=offscreen build/bench/bench/plot_configuration_bench "$@"
QT_QPA_PLATFORM=offscreen build/bench/bench/opcua_bench "$@"
