#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need. Idempotent and quiet
# when everything is already there.
set -euo pipefail

packages=(
    build-essential cmake ccache pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-httpserver-dev qt6-websockets-dev
    libgl-dev libsimdjson-dev libxlsxwriter-dev libbenchmark-dev
    xvfb xauth x11-apps imagemagick fonts-dejavu-core python3-openpyxl
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
