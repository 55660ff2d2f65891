#!/bin/sh
# The whole shaftline-calc process on the same shaft line saved as .xls, .xlsx and .ods, one
# after the other in the same run (wall time and peak memory, see bench_cli.sh). Builds nothing.
#
#   bench/bench_cli_formats.sh CALC [RUNS]
#
# Books: tests/io/data/full_line_19x50.{xls,xlsx,ods} (19 rotors of 50 sections). Goals for
# `--json`: .xls under 20 ms and 15 MB, .xlsx under 25 ms and 20 MB.
set -eu
if [ $# -lt 1 ]; then
  echo "usage: $0 CALC [RUNS]" >&2
  exit 2
fi
HERE="$(dirname "$0")"
for kind in xls xlsx ods; do
  echo "== full_line_19x50.$kind"
  "$HERE/bench_cli.sh" "$1" "$HERE/../tests/io/data/full_line_19x50.$kind" "${2:-20}"
done
