#!/bin/sh
# The whole shaftline-calc process from start to end, for `--help` and for `--json` on the full
# shaft line saved as .xls and .xlsx: perf stat over RUNS runs (wall time, CPU time, page
# faults). On a busy machine the CPU time ("task-clock") is the steadier figure. Builds nothing.
#
#   bench/bench_calc_startup.sh CALC [RUNS]
#
# Goals for `--json`: the 19 x 50 .xls under 10 ms, the .xlsx under 15 ms.
set -eu
if [ $# -lt 1 ]; then
  echo "usage: $0 CALC [RUNS]" >&2
  exit 2
fi
command -v perf >/dev/null || { echo "needs perf (Debian package linux-perf)" >&2; exit 2; }
CALC="$1"
RUNS="${2:-30}"
DATA="$(dirname "$0")/../tests/io/data"
for run in "--help" "$DATA/full_line_19x50.xls --json" "$DATA/full_line_19x50.xlsx --json"; do
  echo "== shaftline-calc ${run##*/}"
  # shellcheck disable=SC2086
  perf stat -r "$RUNS" -e task-clock,page-faults "$CALC" $run 2>&1 >/dev/null |
    grep -E "task-clock|page-faults|elapsed"
done
