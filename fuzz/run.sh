#!/bin/sh
# Builds the workbook-reader fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs one of them, or refreshes the seed corpora.
#
#   fuzz/run.sh stream [SECONDS] [BUILD_DIR]   BIFF8 records, seeds in fuzz/corpus/stream
#   fuzz/run.sh file   [SECONDS] [BUILD_DIR]   whole book files, seeds are the test workbooks
#                                               and the hostile books the tests wrote, if any
#   fuzz/run.sh zip    [SECONDS] [BUILD_DIR]   .xlsx and .ods parts, seeds in fuzz/corpus/zip
#   fuzz/run.sh seeds  [-]       [BUILD_DIR]   extract fuzz/corpus/{stream,zip} from the books
#
# MAX_LEN (bytes, default 8 MB) bounds an input: the faults of hostile books need inputs of
# megabytes. libFuzzer lets inputs grow only slowly towards it; LEN_CONTROL=0 lifts that. New inputs and crash files go to fuzz/corpus-run/ (not committed). A crashing input
# belongs in tests/io/data/fuzz-regressions/ with a test that reads it.
set -eu
cd "$(dirname "$0")/.."
MODE="${1:-stream}"
TIME="${2:-600}"
BUILD="${3:-build-fuzz}"
MAX_LEN="${MAX_LEN:-8388608}"
LEN_CONTROL="${LEN_CONTROL:-100}"

cmake -S fuzz -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$BUILD" -j 2

# A part of a zip book, after the byte that tells the zip target which part it is.
zip_seed() {
  { printf "\\$(printf '%03o' "$1")"; unzip -p "$2" "$3"; } >"fuzz/corpus/zip/$4"
}

case "$MODE" in
  seeds)
    mkdir -p fuzz/corpus/stream fuzz/corpus/zip
    for xls in tests/io/data/*.xls resources/Data.xls; do
      # The largest workbook would only slow every run down.
      [ "$(wc -c <"$xls")" -le 65536 ] || continue
      "$BUILD/extract_workbook_stream" "$xls" "fuzz/corpus/stream/$(basename "$xls" .xls).bin" \
        2>/dev/null || true
    done
    for book in three_sheets formulas long_strings_xlwt rotor_types xlsx_features; do
      xlsx="tests/io/data/$book.xlsx"
      zip_seed 1 "$xlsx" "$(unzip -Z1 "$xlsx" | grep -m1 'worksheets/.*xml$')" "$book-sheet"
      unzip -Z1 "$xlsx" | grep -q sharedStrings.xml &&
        zip_seed 2 "$xlsx" xl/sharedStrings.xml "$book-strings"
      zip_seed 3 "$xlsx" xl/workbook.xml "$book-workbook"
    done
    for book in three_sheets formulas rotor_types ods_features; do
      zip_seed 0 "tests/io/data/$book.ods" content.xml "$book-content"
    done
    ;;
  stream|file|zip)
    mkdir -p "fuzz/corpus-run/$MODE"
    case "$MODE" in
      stream) SEEDS=fuzz/corpus/stream DICT=fuzz/biff.dict ;;
      file)
        DICT=fuzz/biff.dict
        SEEDS="tests/io/data fuzz/corpus-run/hostile"
        # Hostile books of megabytes start the inputs where the faults are.
        mkdir -p fuzz/corpus-run/hostile
        for book in build/tests/io/hostile/*; do
          [ -f "$book" ] && [ "$(wc -c <"$book")" -le "$MAX_LEN" ] &&
            cp "$book" fuzz/corpus-run/hostile/
        done
        ;;
      zip) SEEDS=fuzz/corpus/zip DICT=fuzz/xml.dict ;;
    esac
    # The slow unwinder sees through GLib's frames, which the suppressions need.
    export ASAN_OPTIONS="fast_unwind_on_malloc=0"
    export LSAN_OPTIONS="suppressions=fuzz/lsan.supp:print_suppressions=0"
    exec "$BUILD/fuzz_workbook_$MODE" -dict="$DICT" -max_total_time="$TIME" \
      -max_len="$MAX_LEN" -len_control="$LEN_CONTROL" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="fuzz/corpus-run/$MODE-" "fuzz/corpus-run/$MODE" $SEEDS
    ;;
  *)
    echo "usage: $0 stream|file|zip|seeds [SECONDS] [BUILD_DIR]" >&2
    exit 2
    ;;
esac
