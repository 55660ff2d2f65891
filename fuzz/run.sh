#!/bin/sh
# Builds the workbook-reader fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs one of them, or refreshes the stream target's seed corpus.
#
#   fuzz/run.sh stream [SECONDS] [BUILD_DIR]   BIFF8 records, seeds in fuzz/corpus/stream
#   fuzz/run.sh file   [SECONDS] [BUILD_DIR]   whole .xls files, seeds are the test workbooks
#   fuzz/run.sh seeds  [-]       [BUILD_DIR]   extract fuzz/corpus/stream from the workbooks
#
# New inputs and crash files go to fuzz/corpus-run/ (not committed). A crashing input belongs in
# tests/io/data/fuzz-regressions/ with a test that reads it.
set -eu
cd "$(dirname "$0")/.."
MODE="${1:-stream}"
TIME="${2:-600}"
BUILD="${3:-build-fuzz}"

cmake -S fuzz -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD" -j 2

case "$MODE" in
  seeds)
    mkdir -p fuzz/corpus/stream
    for xls in tests/io/data/*.xls resources/Data.xls; do
      # The largest workbook would only slow every run down.
      [ "$(wc -c <"$xls")" -le 65536 ] || continue
      "$BUILD/extract_workbook_stream" "$xls" "fuzz/corpus/stream/$(basename "$xls" .xls).bin" \
        2>/dev/null || true
    done
    ;;
  stream|file)
    mkdir -p "fuzz/corpus-run/$MODE"
    if [ "$MODE" = stream ]; then SEEDS=fuzz/corpus/stream; else SEEDS=tests/io/data; fi
    # The slow unwinder sees through GLib's frames, which the suppressions need.
    export ASAN_OPTIONS="fast_unwind_on_malloc=0"
    export LSAN_OPTIONS="suppressions=fuzz/lsan.supp:print_suppressions=0"
    exec "$BUILD/fuzz_workbook_$MODE" -dict=fuzz/biff.dict -max_total_time="$TIME" \
      -max_len=65536 -print_final_stats=1 -artifact_prefix="fuzz/corpus-run/$MODE-" \
      "fuzz/corpus-run/$MODE" $SEEDS
    ;;
  *)
    echo "usage: $0 stream|file|seeds [SECONDS] [BUILD_DIR]" >&2
    exit 2
    ;;
esac
