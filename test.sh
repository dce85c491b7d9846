#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test. Ends with ctest's summary line.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/deps.sh"
"$here/scripts/build.sh" -DVANDREL_BUILD_TESTS=ON
build="${VANDREL_BUILD_DIR:-$here/build}"
cd "$build"
log="$build/ctest-last.log"
set +e
ctest --output-on-failure --parallel "$(nproc 2>/dev/null || echo 2)" --timeout 600 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
set -e
# ctest lists skipped tests after its summary; repeat the summary as the last line.
grep -E 'tests passed|tests failed' "$log" | tail -n 1 || true
exit "$status"
