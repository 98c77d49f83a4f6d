#!/usr/bin/env bash
# Start-up of the real program in fresh processes, offscreen, on generated catch logs (every
# field filled, about 68,700 outings per 100,000 catches): the time from main() until the main
# window is first painted (median of RUNS starts), the whole process's wall and CPU time (user
# + system, median; on a busy machine the steadier figure) and its peak resident memory
# (/usr/bin/time). An empty catch database is measured first, for comparison.
#
#   bench/startup.sh [RUNS] [CATCHES ...]     default: 5 runs; 0 10000 100000 1000000
#
# BUILD names the build folder (default ./build), FOLDERS where the generated program
# folders are kept between runs (default /tmp/fischkladde-startup).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
folders=${FOLDERS:-/tmp/fischkladde-startup}
runs=${1:-5}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(0 10000 100000 1000000)

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

printf '%10s %10s %15s %10s %10s %10s\n' catches file_MB first_paint_ms process_s cpu_s peak_MB
for n in "${counts[@]}"; do
  home=$folders/$n
  if [ ! -f "$home/Fischkladde.fdb" ]; then
    rm -rf "$home"
    "$build/make_catch_log" "$n" "$home"
  fi
  times=() walls=() cpus=() peaks=()
  for ((i = 0; i < runs; i++)); do
    out=$(FISCHKLADDE_HOME=$home FISCHKLADDE_STARTUP_PROBE=1 QT_QPA_PLATFORM=offscreen \
          timeout 300 /usr/bin/time -v "$build/fischkladde" 2>&1 >/dev/null) || { echo "start failed: $out" >&2; exit 1; }
    times+=("$(sed -n 's/^startup_ms=//p' <<<"$out")")
    cpus+=("$(awk -F': ' '/User time|System time/ { t += $2 } END { printf "%.2f", t }' <<<"$out")")
    peaks+=("$(awk -F': ' '/Maximum resident set size/ { print int($2 / 1024) }' <<<"$out")")
    walls+=("$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, p, ":"); print (n == 3 ? p[1] * 3600 + p[2] * 60 + p[3] : p[1] * 60 + p[2]) }' <<<"$out")")
  done
  size=$(stat -c %s "$home/Fischkladde.fdb")
  printf '%10d %10s %15d %10s %10s %10d\n' "$n" "$(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1e6 }')" \
    "$(printf '%s\n' "${times[@]}" | median)" \
    "$(printf '%s\n' "${walls[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")" \
    "$(printf '%s\n' "${cpus[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")" \
    "$(printf '%s\n' "${peaks[@]}" | sort -n | tail -1)"
done
