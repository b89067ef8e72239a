#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is missing.
set -euo pipefail
# xvfb, libx11-dev and libxtst-dev: the real-window tests' own X server and their hands on it;
# openbox, xdotool and x11-apps (xwd): a desktop with a window manager, driven and captured;
# espeak-ng: mkdata speaks the umpire's calls with it.
packages=(build-essential cmake ninja-build pkg-config libsdl1.2-dev libpng-dev zlib1g-dev
          libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
          xvfb libx11-dev libxtst-dev openbox xdotool x11-apps espeak-ng)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
