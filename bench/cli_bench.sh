#!/usr/bin/env bash
# Times whole exports through glyphory-cli with one and two render threads and
# prints the medians and the speed-up.
#   bench/cli_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
RUNS=${2:-5}
CLI="$BUILD_DIR/glyphory-cli"
[[ -x "$CLI" ]] || { echo "build glyphory-cli first (scripts/build $BUILD_DIR)" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Median wall time in seconds of RUNS exports with the given options.
median_time() {
  local times=()
  for ((run = 0; run < RUNS; run++)); do
    rm -rf "$WORK/out"
    local start end
    start=$(date +%s.%N)
    "$CLI" --settings "$WORK/none.ini" --out "$WORK/out" --quiet "$@"
    end=$(date +%s.%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {print b - a}')")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

printf '%-28s %10s %10s %9s\n' "export (162 codes)" "jobs 1 s" "jobs 2 s" "speed-up"
for name in default heavy; do
  if [[ $name == default ]]; then
    opts=(--font "DejaVu Sans")
  else
    opts=(--font "DejaVu Sans" --size 100 --edge-width 50)
  fi
  one=$(median_time "${opts[@]}" --jobs 1)
  two=$(median_time "${opts[@]}" --jobs 2)
  printf '%-28s %10.3f %10.3f %8.2fx\n' "$name" "$one" "$two" "$(awk -v a="$one" -v b="$two" 'BEGIN {print a / b}')"
done
