#!/usr/bin/env bash
# Installs what the build and the tests need, builds the program and its tests
# with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ (or
# $BUILD_DIR), and runs the whole suite through CTest: unit, widget and
# end-to-end tests and the fuzz corpus replays. Any sanitizer report fails the
# test that caused it. CI runs exactly this; scripts/run.sh keeps its own
# ordinary optimised build in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-asan}

# phase NAME COMMAND...: runs the command and says how long it took.
phase() {
    local name=$1 start=$SECONDS
    shift
    "$@"
    echo "== $name: $((SECONDS - start)) s" >&2
}

phase "packages" bash scripts/install-deps.sh
phase "configure" cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLOTAP_SANITIZE=ON -DQUILLOTAP_TESTS=ON -DQUILLOTAP_BENCH=OFF -DQUILLOTAP_FUZZ=OFF >/dev/null
phase "build" cmake --build "$BUILD_DIR"
phase "tests" ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
