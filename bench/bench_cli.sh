#!/bin/sh
# Wall time and peak memory of one whole shaftline-calc process, measured over several runs.
# Builds nothing.
#
#   bench/bench_cli.sh CALC WORKBOOK [RUNS [EXTRA ARGUMENTS...]]
#
# CALC is the built shaftline-calc, WORKBOOK for instance tests/io/data/full_line_19x50.xls
# (19 rotors of 50 sections). Goals: under 20 ms and under 15 MB for `--json`.
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 CALC WORKBOOK [RUNS [EXTRA ARGUMENTS...]]" >&2
  exit 2
fi
CALC="$1"
BOOK="$2"
RUNS="${3:-20}"
shift 2
[ $# -gt 0 ] && shift
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }

REPORT="$(mktemp)"
TIMES="$(mktemp)"
trap 'rm -f "$REPORT" "$TIMES"' EXIT

# One run to warm the page cache; it is not counted.
"$CALC" "$BOOK" --json "$@" >/dev/null

peak=0
i=0
while [ "$i" -lt "$RUNS" ]; do
  start=$(date +%s%N)
  /usr/bin/time -v -o "$REPORT" "$CALC" "$BOOK" --json "$@" >/dev/null
  end=$(date +%s%N)
  echo $(( (end - start) / 1000 )) >>"$TIMES"
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$REPORT")
  [ "$rss" -gt "$peak" ] && peak=$rss
  i=$((i + 1))
done

sort -n "$TIMES" | awk -v runs="$RUNS" -v peak="$peak" '
  { t[NR] = $1 }
  END {
    printf "runs: %d\n", runs
    printf "wall time, ms: min %.1f  median %.1f  max %.1f (goal < 20)\n",
           t[1] / 1000, t[int((NR + 1) / 2)] / 1000, t[NR] / 1000
    printf "peak memory (max RSS), MB: %.1f (goal < 15)\n", peak / 1024
  }'
