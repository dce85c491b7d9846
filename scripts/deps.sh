#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
# Non-interactive and idempotent; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl-dev qt6-translations-l10n
  libsqlite3-dev sqlite3 zlib1g-dev libzip-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation lrzsz python3
  xvfb xauth poppler-utils clang procps
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo -n)
else
  echo "Missing packages (${missing[*]}) and neither root nor sudo available." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
