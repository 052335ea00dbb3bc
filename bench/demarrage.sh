#!/usr/bin/env bash
# Start-up time of VOLTEXA to its shown main window (without the fixed
# one-second splash wait) under a virtual X display: 15 first starts, each in
# a new program directory without settings file, and 15 starts that read the
# settings file a first start wrote.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOLTEXA_BUILD_DIR:-$root/build}
"$root/scripts/build" >/dev/null
cmake --build "$build" --target bench_demarrage >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$build/xdg}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
bench=$build/bin/bench_demarrage

resume() {
  sort -n | awk -v quoi="$1" '
    { v[NR] = $1 }
    END {
      printf "%s (ms, %d runs): median %.1f, min %.1f, max %.1f (goal: 300)\n",
             quoi, NR, v[int((NR + 1) / 2)], v[1], v[NR]
    }'
}

for _ in $(seq 15); do xvfb-run -a "$bench"; done | resume "first start, no settings file"
xvfb-run -a "$bench" "$dossier" >/dev/null
[[ -f $dossier/voltexa.ini ]] || { echo "demarrage.sh: the first start wrote no settings file" >&2; exit 1; }
for _ in $(seq 15); do xvfb-run -a "$bench" "$dossier"; done | resume "start with a settings file"
