#!/usr/bin/env bash
# Installs, as root with apt-get, the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(cmake g++ make pkg-config qt6-base-dev qt6-multimedia-dev
          libespeak-ng-dev espeak-ng-data espeak-ng flite1-dev pocketsphinx pocketsphinx-en-us
          libsndfile1-dev libgtest-dev xvfb xauth wmdocker
          svxlink-server clang libclang-rt-dev qt6-httpserver-dev qt6-websockets-dev
          chromium chromium-driver python3-selenium dpkg-dev file lintian)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    $SUDO apt-get update -q
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
