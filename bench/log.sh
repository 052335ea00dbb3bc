#!/usr/bin/env bash
# voltexa-log against the simulator at half a second: the CPU time per
# reading (two runs, 5 s and the seconds given (default 60), their
# difference divided by the readings between them, so that start-up does
# not count) and the resident memory of the longer run. Goals: under 0.2 ms
# a reading, under 20 MB. Beside it, measured the same way, the least a
# reading costs on this machine: bench_plancher_log makes the same system
# calls as a reading and nothing else (the sleep to the tick, the serial
# exchange, the line appended and synced), so that the logger's own share
# shows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VOLTEXA_BUILD_DIR:-$root/build}
secondes=${1:-60}
cmake --build "$build" --target voltexa_log voltexa_sim bench_plancher_log >/dev/null
dir=$(mktemp -d)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$build/xdg}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$build/bin/voltexa-sim" --dir "$dir" "voltage 230" "current 2" "pf 1" >"$dir/sim.out" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 50); do [[ -L "$dir/ports/COM1" ]] && break; sleep 0.1; done

# Prints "CPU-seconds readings max-RSS-kB" of one run of $1 seconds (the
# CPU time in milliseconds from bash's own timing, finer than time(1)'s).
run() {
  local TIMEFORMAT='%3U %3S'
  { time /usr/bin/time -f '%M' -o "$dir/rss" "$build/bin/voltexa-log" --device "$dir/ports/COM1" \
      --quantities V,P --period 0.5 --duration "$1s" "$dir/run$1.dat" 2>"$dir/err$1"; } 2>"$dir/time"
  read -r u s <"$dir/time"
  n=$(grep -o 'stopped after [0-9]*' "$dir/err$1" | grep -o '[0-9]*$')
  echo "$(echo "$u + $s" | bc -l) $n $(cat "$dir/rss")"
}
# The same for the system calls alone: "CPU-seconds" of $1 readings.
plancher() {
  local TIMEFORMAT='%3U %3S'
  { time "$build/bin/bench_plancher_log" "$dir/ports/COM1" "$dir" "$1" >/dev/null; } 2>"$dir/time"
  read -r u s <"$dir/time"
  echo "$u + $s" | bc -l
}
read -r c1 n1 _ < <(run 5)
read -r c2 n2 m2 < <(run "$secondes")
p1=$(plancher 10)
p2=$(plancher $((2 * secondes)))
awk -v c1="$c1" -v n1="$n1" -v c2="$c2" -v n2="$n2" -v m="$m2" -v p1="$p1" -v p2="$p2" -v np="$((2 * secondes - 10))" 'BEGIN {
  ms = (c2 - c1) * 1000 / (n2 - n1)
  printf "voltexa-log at 0.5 s: %d readings, CPU %.3f ms a reading (goal < 0.2), resident %.1f MB (goal < 20)\n", n2, ms, m / 1024
  printf "the same system calls alone: CPU %.3f ms a reading\n", (p2 - p1) * 1000 / np
  exit (ms < 0.2 && m / 1024 < 20) ? 0 : 1 }'
