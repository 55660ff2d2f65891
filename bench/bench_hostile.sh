#!/bin/sh
# Wall time and peak memory of shaftline-calc on every hostile book: each must be refused (or
# read) quickly in bounded memory. Builds nothing.
#
#   bench/bench_hostile.sh CALC [HOSTILE_DIR]
#
# HOSTILE_DIR holds the books that make_test_workbooks.py --hostile writes (the tests write
# them to build/tests/io/hostile). Goals for a book of at most 64 MB: under 1 s and 200 MB.
set -eu
if [ $# -lt 1 ]; then
  echo "usage: $0 CALC [HOSTILE_DIR]" >&2
  exit 2
fi
CALC="$1"
DIR="${2:-build/tests/io/hostile}"
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }
REPORT="$(mktemp)"
trap 'rm -f "$REPORT"' EXIT

printf "%-32s %9s %10s %9s %9s %s\n" book "size, MB" "wall, ms" "CPU, ms" "peak, MB" "exit"
for book in "$DIR"/*; do
  # Once to bring the file into the page cache, then measured.
  "$CALC" "$book" --json >/dev/null 2>&1 || true
  start=$(date +%s%N)
  status=0
  /usr/bin/time -v -o "$REPORT" "$CALC" "$book" --json >/dev/null 2>&1 || status=$?
  end=$(date +%s%N)
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$REPORT")
  user=$(sed -n 's/.*User time (seconds): //p' "$REPORT")
  system=$(sed -n 's/.*System time (seconds): //p' "$REPORT")
  awk -v name="$(basename "$book")" -v bytes="$(wc -c <"$book")" -v ns=$((end - start)) \
    -v cpu="$user $system" -v rss="$rss" -v status="$status" 'BEGIN {
      split(cpu, t, " ")
      printf "%-32s %9.1f %10.1f %9.0f %9.1f %s\n", name, bytes / 1048576, ns / 1e6,
             (t[1] + t[2]) * 1000, rss / 1024, status
    }'

done
