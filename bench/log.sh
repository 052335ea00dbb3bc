#!/usr/bin/env bash
# voltexa-log against the simulator at half a second: the CPU time per
# reading, taken from the kernel's own count of the process's run time
# (/proc/PID/task/*/schedstat, in nanoseconds) between 5 s after the start
# and the seconds given later (default 60), divided by the readings written
# meanwhile, so that start-up does not count; and the resident memory at
# the end. Goals: under 0.2 ms a reading, under 20 MB. Beside it, measured
# the same way, the least a reading costs on this machine: bench_plancher_log
# makes the same system calls as a reading and nothing else (the sleep to
# the tick, the serial exchange, the line appended and synced), so that the
# logger's own share shows.
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

# Nanoseconds the process $1 has run, all its threads.
temps() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s }'; }
lignes() { [[ -f "$1" ]] && wc -l <"$1" || echo 0; }

# Runs the command in the background for 5 + $secondes + 5 s worth of
# readings and prints "nanoseconds readings resident-kB" of the window.
fenetre() {
  local fichier=$1
  shift
  "$@" >/dev/null 2>&1 &
  local p=$!
  sleep 5
  local t1 n1 t2 n2 m
  t1=$(temps $p); n1=$(lignes "$fichier")
  sleep "$secondes"
  t2=$(temps $p); n2=$(lignes "$fichier")
  m=$(awk '/VmHWM/ { print $2 }' /proc/$p/status)
  kill -INT $p 2>/dev/null || true
  wait $p 2>/dev/null || true
  echo "$((t2 - t1)) $((n2 - n1)) $m"
}
read -r t n m < <(fenetre "$dir/run.dat" "$build/bin/voltexa-log" --device "$dir/ports/COM1" \
  --quantities V,P --period 0.5 --duration "$((secondes + 10))s" "$dir/run.dat")
read -r tp np _ < <(fenetre "$dir/plancher.dat" "$build/bin/bench_plancher_log" "$dir/ports/COM1" "$dir" \
  "$((2 * secondes + 20))")
awk -v t="$t" -v n="$n" -v m="$m" -v tp="$tp" -v np="$np" 'BEGIN {
  ms = t / 1e6 / n
  printf "voltexa-log at 0.5 s: %d readings timed, CPU %.3f ms a reading (goal < 0.2), resident %.1f MB (goal < 20)\n", n, ms, m / 1024
  printf "the same system calls alone: CPU %.3f ms a reading over %d readings\n", tp / 1e6 / np, np
  exit (ms < 0.2 && m / 1024 < 20) ? 0 : 1 }'
