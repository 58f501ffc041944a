#!/usr/bin/env bash
# Installs the Debian packages Voyanta needs to build and test, when any is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libical-dev python3-icalendar libicu-dev
    qt6-image-formats-plugins
    fonts-dejavu-core fonts-noto-core time poppler-utils
    libkpimitinerary-bin
    dpkg-dev appstream desktop-file-utils
    clang libclang-rt-14-dev clang-format
    syncthing
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
