#!/usr/bin/env bash
# Installs what is needed, builds, and starts Vandrel Catalogus on demo data.
#   ./run.sh           start (the first run is a true first start; later runs reuse it)
#   ./run.sh --fresh   throw the demo installation away and start afresh
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
fresh=0
args=()
for a in "$@"; do
  case "$a" in
    --fresh) fresh=1 ;;
    *) args+=("$a") ;;
  esac
done

"$here/scripts/deps.sh"
echo "Bouwen..."
VANDREL_TARGETS="vandrel-catalogus genlib40 vandrel-demodata" "$here/scripts/build.sh" >/dev/null
build="${VANDREL_BUILD_DIR:-$here/build}"

# The demo installation: the program directory with the delivered data, and its own
# Windows directory so the user's settings are never touched.
demo="$here/demo"
[ "$fresh" -eq 1 ] && rm -rf "$demo"
mkdir -p "$demo/program" "$demo/windows"
cp -f "$build/bin/vandrel-catalogus" "$demo/program/"
cp -f "$build"/bin/libgenlib40.so* "$demo/program/" 2>/dev/null || true
# The help book travels with the program.
rm -rf "$demo/program/help" && cp -r "$build/bin/help" "$demo/program/help"
if [ -x "$build/bin/vandrel-demodata" ] && [ ! -f "$demo/program/ARTINFO.TXT" ]; then
  "$build/bin/vandrel-demodata" "$demo/program"
fi

export VANDREL_WINDIR="$demo/windows"
export VANDREL_PRINT_DIR="${VANDREL_PRINT_DIR:-$demo/prints}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Geen beeldscherm gevonden (DISPLAY); start onder Xvfb: xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec "$demo/program/vandrel-catalogus" "${args[@]}"
