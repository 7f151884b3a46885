#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (or $BUILD_DIR) and
# runs each for the given number of seconds (default 60), starting from its
# seed corpus in fuzz/corpus/<name>. New inputs go to build-fuzz/corpus/<name>;
# findings (crash-*, leak-*, timeout-*) to build-fuzz/findings/<name>/.
#   bash scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
shift || true
BUILD_DIR=${BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLOTAP_FUZZ=ON -DQUILLOTAP_TESTS=OFF -DQUILLOTAP_BENCH=OFF -DQUILLOTAP_PCH=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for src in fuzz/fuzz_*.cpp; do
        name=$(basename "$src" .cpp)
        targets+=("${name#fuzz_}")
    done
fi
cmake --build "$BUILD_DIR" --target "${targets[@]/#/fuzz_}"
status=0
for name in "${targets[@]}"; do
    mkdir -p "$BUILD_DIR/corpus/$name" "$BUILD_DIR/findings/$name"
    echo "== fuzz_$name for ${SECONDS_EACH}s"
    if ! "$BUILD_DIR/fuzz/fuzz_$name" -max_total_time="$SECONDS_EACH" -timeout=20 \
        -artifact_prefix="$BUILD_DIR/findings/$name/" \
        "$BUILD_DIR/corpus/$name" "fuzz/corpus/$name" 2>"$BUILD_DIR/findings/$name/log.txt"; then
        echo "fuzz_$name found a problem: see $BUILD_DIR/findings/$name/"
        tail -30 "$BUILD_DIR/findings/$name/log.txt"
        status=1
    else
        tail -1 "$BUILD_DIR/findings/$name/log.txt"
    fi
done
exit $status
