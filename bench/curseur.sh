#!/usr/bin/env bash
# Cost of one step of cursor 1 across a 30000-reading recording and of one
# zoom step, painted, under a virtual X display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOLTEXA_BUILD_DIR:-$root/build}
"$root/scripts/build" >/dev/null
cmake --build "$build" --target bench_curseur >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$build/xdg}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1280x900x24" "$build/bin/bench_curseur"
