#!/usr/bin/env bash
# Builds the Debian package of Vandrel Catalogus into build-package/ (or
# $VANDREL_PACKAGE_DIR): a release build without tests and benchmarks, then cpack -G DEB.
# Prints the package's path as its last line.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/deps.sh"
# cpack's library dependencies come from dpkg-shlibdeps (dpkg-dev, part of build-essential).
build="${VANDREL_PACKAGE_DIR:-$here/build-package}"
VANDREL_BUILD_DIR="$build" VANDREL_TARGETS="vandrel-catalogus genlib40 vandrel-demodata" \
  "$here/scripts/build.sh" -DCMAKE_BUILD_TYPE=Release -DVANDREL_BUILD_TESTS=OFF -DVANDREL_BUILD_BENCH=OFF
(cd "$build" && cpack -G DEB)
ls -1t "$build"/vandrel-catalogus_*.deb | head -n 1
