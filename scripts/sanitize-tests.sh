#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and UBSan into build-asan/
# (or $VANDREL_BUILD_DIR) and runs the whole ctest suite there. Any report fails the run.
# Kept cheap for CI: -O1 with line tables only, no benchmarks.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/deps.sh"
export VANDREL_BUILD_DIR="${VANDREL_BUILD_DIR:-$here/build-asan}"
"$here/scripts/build.sh" -DVANDREL_BUILD_TESTS=ON -DVANDREL_BUILD_BENCH=OFF -DVANDREL_SANITIZE=ON
cd "$VANDREL_BUILD_DIR"
# halt_on_error: the first report ends the test, so it fails instead of scrolling by.
# detect_leaks=0: Qt's platform plugin, fontconfig and the Python interpreter of the
# GENLIB40 C-interface test keep memory until the process exits, which LeakSanitizer
# reports as leaks on every test; this pass is for invalid accesses and undefined
# behaviour, which stay fatal.
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=0:print_stacktrace=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
log="$VANDREL_BUILD_DIR/ctest-last.log"
set +e
ctest --output-on-failure --parallel "$(nproc 2>/dev/null || echo 2)" --timeout 900 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
set -e
grep -E 'tests passed|tests failed' "$log" | tail -n 1 || true
exit "$status"
