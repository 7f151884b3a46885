#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ (or $BUILD_DIR) and runs the unit
# and widget tests and the fuzz corpus replays under them. Any report fails
# the run. (The end-to-end tests run in the ordinary build: they drive the
# program through Xvfb and a sound server, not through its code.)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build-asan}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLOTAP_SANITIZE=ON \
    -DQUILLOTAP_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR"
supp="$PWD/tests/sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$supp/ubsan.supp"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j2 -E '^e2e_'
