#!/usr/bin/env bash
# Installs what building and testing lumeq gamma needs on Debian 12, and only what is missing.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev libbenchmark-dev python3 clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 wine wine64 fonts-wine
  xserver-xorg-core xserver-xorg-video-dummy openbox xdotool x11-utils x11-xserver-utils imagemagick
  libx11-dev libxxf86vm-dev libxtst-dev libxrandr-dev
  qt6-base-dev libxcb1-dev libxcb-keysyms1-dev libxcb-randr0-dev trayer xvfb
  # Wine only recommends these, and its gamma code needs libXxf86vm.
  libxxf86vm1 libxrandr2 libxrender1 libxcursor1 libxi6 libxinerama1 libxcomposite1 libxfixes3
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
