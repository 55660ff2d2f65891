#!/bin/sh
# Wall time from starting the program to its main window being mapped on an X display, over
# several runs. Needs Xvfb (xvfb-run) and xwininfo (x11-utils). Builds nothing. Goal: 0.5 s.
#
#   bench/bench_startup.sh SHAFTLINE [RUNS]
set -eu
if [ $# -lt 1 ]; then
  echo "usage: $0 SHAFTLINE [RUNS]" >&2
  exit 2
fi
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
  exit $?
fi
# The display may still be coming up when this starts.
tries=0
until xwininfo -root >/dev/null 2>&1; do
  tries=$((tries + 1))
  [ "$tries" -lt 100 ] || { echo "no X display at $DISPLAY" >&2; exit 1; }
  sleep 0.05
done
PROGRAM="$1"
RUNS="${2:-10}"
total=0
worst=0
i=0
while [ "$i" -lt "$RUNS" ]; do
  start=$(date +%s%N)
  QT_QPA_PLATFORM=xcb "$PROGRAM" &
  pid=$!
  until xwininfo -name "Ротовал" 2>/dev/null | grep -q "IsViewable"; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window showed" >&2; exit 1; }
  done
  elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  total=$((total + elapsed))
  [ "$elapsed" -gt "$worst" ] && worst=$elapsed
  i=$((i + 1))
done
echo "start to main window shown: mean $((total / RUNS)) ms, worst $worst ms over $RUNS runs"
