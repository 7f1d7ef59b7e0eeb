#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the project needs; does nothing when they are all present.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    clang libclang-rt-14-dev
    qtbase5-dev qtbase5-dev-tools libqt5charts5-dev qttools5-dev qttools5-dev-tools
    libhidapi-dev libusb-1.0-0-dev
    prometheus-cpp-dev python3-prometheus-client
    fonts-font-awesome fonts-wqy-microhei
    xvfb xauth
    dpkg-dev lintian desktop-file-utils
    appstream devscripts  # appstreamcli and hardening-check, for scripts/check-package.sh
    x11-apps netpbm xdotool
    python3
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
