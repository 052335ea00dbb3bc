#!/usr/bin/env bash
# Export of a two-channel recording of 30000 readings to a workbook, from the
# Export button to the file in place, under a virtual X display; in the
# same run the spreadsheet library alone writing the same cells and chart,
# with the ratio of the two; then the same readings to CSV (goal: under 50 ms).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOLTEXA_BUILD_DIR:-$root/build}
"$root/scripts/build" >/dev/null
cmake --build "$build" --target bench_export >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$build/xdg}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a "$build/bin/bench_export"
