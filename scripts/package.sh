#!/usr/bin/env bash
# Builds the Debian package of Vandrel Catalogus: builds what the package holds (in build/,
# or $VANDREL_BUILD_DIR), then cpack -G DEB into <build>/package/. Prints the package's
# path as its last line. cpack's library dependencies come from dpkg-shlibdeps (dpkg-dev,
# part of build-essential).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/deps.sh"
build="${VANDREL_BUILD_DIR:-$here/build}"
# Only the packaged targets: cpack must not build everything (tests, benchmarks) first.
VANDREL_TARGETS="vandrel-catalogus genlib40 vandrel-demodata" \
  "$here/scripts/build.sh" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
(cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
ls -1t "$build"/package/vandrel-catalogus_*.deb | head -n 1
