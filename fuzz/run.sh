#!/bin/sh
# Builds the fuzz targets and runs each for SECONDS (default 60), one after the other, each on
# its corpus in build-fuzz/corpus/ (grown run by run, seeded from the test files). Inputs that
# crash go to build-fuzz/crashes/; the run fails when there is any.
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
BUILD=build-fuzz
scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# The targets save files: on a memory file system their fsync costs nothing.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
# Leaks count as findings; a hang of ten seconds on one input is one too.
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
FAILED=""
SUMMARY=""
for NAME in $(cat $BUILD/fuzz/fuzzers.txt); do
    CORPUS=$BUILD/corpus/$NAME
    CRASHES=$BUILD/crashes/$NAME
    LOG=$BUILD/logs/$NAME.log
    mkdir -p "$CORPUS" "$CRASHES" "$BUILD/logs"
    echo "== $NAME for $SECONDS_EACH s"
    if $BUILD/bin/$NAME -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 \
        -dict=$BUILD/fuzz/$NAME.dict -artifact_prefix="$CRASHES/" \
        "$CORPUS" "$BUILD/fuzz/seeds/$NAME" >"$LOG" 2>&1; then
        RUNS=$(sed -n 's/^stat::number_of_executed_units: *//p' "$LOG")
        TIME=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$LOG")
        SUMMARY="$SUMMARY$(printf '%-20s %12s runs %6s s %6s inputs' "$NAME" "$RUNS" "$TIME" "$(ls "$CORPUS" | wc -l)")\n"
    else
        tail -n 40 "$LOG"
        FAILED="$FAILED $NAME"
        SUMMARY="$SUMMARY$(printf '%-20s FAILED, see %s and %s' "$NAME" "$LOG" "$CRASHES")\n"
    fi
done
printf "\n$SUMMARY"
[ -z "$FAILED" ] || { echo "Fuzzing found faults in:$FAILED"; exit 1; }
