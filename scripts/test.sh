#!/usr/bin/env bash
# Installs what the build and the tests need, builds, and runs the whole test
# suite (unit, widget and end-to-end tests) through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2
