#!/usr/bin/env bash
# Installs the Debian packages the project needs that are missing on this machine.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev libproj-dev
  qt6-base-dev qt6-webengine-dev qt6-qpa-plugins libfontconfig-dev
  libcurl4-openssl-dev libx11-dev libxtst-dev
  fonts-noto-cjk
  xvfb xauth x11-utils
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q "${missing[@]}"
