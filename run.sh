#!/usr/bin/env bash
# Installs what is needed, builds, and starts Vandrel Catalogus on demo data, with the
# host simulator vandrel-hostsim on loopback beside it (stopped when the program ends).
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
VANDREL_TARGETS="vandrel-catalogus genlib40 vandrel-demodata vandrel-hostsim" "$here/scripts/build.sh" >/dev/null
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
if [ -x "$build/bin/vandrel-demodata" ] && { [ ! -f "$demo/program/ARTINFO.TXT" ] || [ ! -f "$demo/host/VDCDINFO.ZIP" ]; }; then
  "$build/bin/vandrel-demodata" "$demo/program" --update-zip "$demo/host/VDCDINFO.ZIP"
fi

export VANDREL_WINDIR="$demo/windows"
export VANDREL_PRINT_DIR="${VANDREL_PRINT_DIR:-$demo/prints}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Geen beeldscherm gevonden (DISPLAY); start onder Xvfb: xvfb-run -a ./run.sh" >&2
  exit 1
fi

# The wholesaler's host service on loopback: the demo's "Orbisnet" settings and
# VANDREL4.SET point at it, so sending orders and fetching the update work at once.
mkdir -p "$demo/host/orders"
hostsim_out="$demo/host/ports.txt"
: > "$hostsim_out"
"$build/bin/vandrel-hostsim" --account 1234567:geheim --zip "$demo/host/VDCDINFO.ZIP" \
  --orders-dir "$demo/host/orders" --log "$demo/host/transcript.log" \
  --demo-settings "$demo/windows" > "$hostsim_out" 2>&1 &
hostsim_pid=$!
trap 'kill "$hostsim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 50); do
  grep -q '^http ' "$hostsim_out" && break
  kill -0 "$hostsim_pid" 2>/dev/null || break
  sleep 0.1
done
if grep -q '^http ' "$hostsim_out"; then
  echo "vandrel-hostsim: $(tr '\n' ' ' < "$hostsim_out")"
else
  echo "vandrel-hostsim start niet; de host-functies werken nu niet:" >&2
  cat "$hostsim_out" >&2
fi
status=0
"$demo/program/vandrel-catalogus" "${args[@]}" || status=$?
# The first start restarts the program after its import: the simulator stays until the
# last copy of the demo program has ended.
while pgrep -f "^$demo/program/vandrel-catalogus" >/dev/null 2>&1; do sleep 1; done
exit "$status"
