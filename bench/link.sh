#!/usr/bin/env bash
# Round trip of the acquisition's 18-word read against the simulator over a
# pseudo-terminal (no wire timing): median and 99th percentile over 2000
# reads (or the count given). Fails when the median is not under 0.3 ms.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOLTEXA_BUILD_DIR:-$root/build}
"$root/scripts/build" >/dev/null
cmake --build "$build" --target bench_link >/dev/null
exec "$build/bin/bench_link" "$@"
