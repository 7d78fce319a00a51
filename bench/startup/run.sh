#!/usr/bin/env bash
# Start-up benchmark of the desktop program, offscreen: wall time and peak memory from
# process start until the main window is shown, and until a 448-byte data file given on
# the command line has been opened as well. The program exits right there
# (--startup-report), so the whole process lifetime is measured from outside, and the
# program's own figures (from main() on) are printed beside it.
# usage: bench/startup/run.sh [BIN_DIR] [RUNS]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
bin="${1:-$here/build/bin}"
runs="${2:-7}"
export QT_QPA_PLATFORM=offscreen
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

file="$work/bench.dat"
"$bin/tq6105-cli" new "$file" >/dev/null
[ "$(stat -c %s "$file")" -eq 448 ] || { echo "bench: $file is not 448 bytes" >&2; exit 1; }

# One run: prints "wall_seconds peak_kb inside_report".
measure() {
  local start end line
  start=$(date +%s.%N)
  line=$(/usr/bin/time -f "TIME %M" "$bin/tq6105" --startup-report "$@" 2>"$work/err" | tail -1)
  end=$(date +%s.%N)
  local peak
  peak=$(awk '/^TIME/ {print $2}' "$work/err")
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $peak $line"
}

report() {
  local label=$1; shift
  local results=()
  "$bin/tq6105" --startup-report "$@" >/dev/null 2>&1 # warm the file cache
  for _ in $(seq "$runs"); do results+=("$(measure "$@")"); done
  printf '%s\n' "${results[@]}" | sort -n | awk -v label="$label" -v n="$runs" '
    { wall[NR] = $1; peak[NR] = $2; inside[NR] = $0 }
    END {
      m = int((n + 1) / 2)
      maxpeak = 0; for (i = 1; i <= n; i++) if (peak[i] > maxpeak) maxpeak = peak[i]
      printf "%-28s median wall %.3f s (min %.3f, max %.3f), peak RSS %.1f MB\n", label, wall[m], wall[1], wall[n], maxpeak / 1024
      split(inside[m], f, " "); printf "%-28s inside the program: %s %s\n", "", f[3], f[4]
    }'
}

echo "tq6105 start-up, offscreen, $runs runs each ($(nproc) cores)"
report "main window shown"
report "448-byte file opened" "$file"
