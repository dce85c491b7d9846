#!/usr/bin/env bash
# Configures and builds into build/ (or $VANDREL_BUILD_DIR). Extra arguments go to cmake;
# $VANDREL_TARGETS (blank-separated) limits the build to those targets.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VANDREL_BUILD_DIR:-$here/build}"
jobs="$(nproc 2>/dev/null || echo 2)"
generator=()
launcher=()
if [ ! -f "$build/CMakeCache.txt" ]; then
  command -v ninja >/dev/null && generator=(-G Ninja)
  # ccache is optional: used when present, never required.
  command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$build" "${generator[@]}" "${launcher[@]}" "$@"
targets=()
for t in ${VANDREL_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" --parallel "$jobs" "${targets[@]}"
