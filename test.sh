#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test. Ends with ctest's summary line.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/deps.sh"
"$here/scripts/build.sh" -DVANDREL_BUILD_TESTS=ON
build="${VANDREL_BUILD_DIR:-$here/build}"
cd "$build"
ctest --output-on-failure --parallel "$(nproc 2>/dev/null || echo 2)" --timeout 600
