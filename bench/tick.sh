#!/usr/bin/env bash
# Cost of one acquisition tick against the simulator with 100, 10000 and
# 30000 readings stored, with and without the acquisition journal, the
# journal's own append, and the memory with both channels full, under a
# virtual X display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOLTEXA_BUILD_DIR:-$root/build}
"$root/scripts/build" >/dev/null
cmake --build "$build" --target bench_tick >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$build/xdg}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a "$build/bin/bench_tick"
