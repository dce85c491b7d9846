#!/usr/bin/env bash
# Configures and builds into build/ (or $VANDREL_BUILD_DIR). Extra arguments go to cmake;
# $VANDREL_TARGETS (blank-separated) limits the build to those targets.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VANDREL_BUILD_DIR:-$here/build}"
jobs="$(nproc 2>/dev/null || echo 2)"
generator=()
[ -f "$build/CMakeCache.txt" ] || { command -v ninja >/dev/null && generator=(-G Ninja); }
cmake -S "$here" -B "$build" "${generator[@]}" "$@"
targets=()
for t in ${VANDREL_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" --parallel "$jobs" "${targets[@]}"
