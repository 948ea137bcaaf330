#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and the sample sites need, only when one is missing.
# Given package names, installs those instead (the fuzz build names its own).
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools libgl-dev libxkbcommon-dev
    qt6-webengine-dev qt6-multimedia-dev qt6-charts-dev libqt6sql6-sqlite
    gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-libav
    libxlsxwriter-dev libgif-dev libjpeg62-turbo-dev fonts-noto-cjk qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev unzip
)
[ $# -gt 0 ] && packages=("$@")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
