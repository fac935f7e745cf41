#!/usr/bin/env bash
# Installs the Debian packages the project needs that are missing on this machine.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev libproj-dev
  qt6-base-dev qt6-webengine-dev qt6-qpa-plugins libfontconfig-dev
  libcurl4-openssl-dev libx11-dev libxtst-dev
  fonts-noto-cjk fonts-ipafont-gothic
  xvfb xauth x11-utils
  libxkbcommon-dev locales
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

# Root runs apt-get itself; another user through sudo. Without sudo the script says what is
# missing and ends with status 2.
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
needs_root() {
  if [ ${#sudo[@]} -gt 0 ] && ! command -v sudo >/dev/null 2>&1; then
    echo "$1 needs root or sudo, and sudo is not installed: run scripts/install-deps.sh as" \
      "root (or as a user who may use sudo)." >&2
    exit 2
  fi
}

if [ ${#missing[@]} -gt 0 ]; then
  needs_root "Installing the missing packages (${missing[*]})"
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q "${missing[@]}"
fi

# A locale that writes numbers with a decimal comma, so that the tests can show that the number
# conversions do not follow the process locale. Enabled in /etc/locale.gen, so that a later
# locale-gen (a package upgrade) keeps it.
if ! locale -a 2>/dev/null | grep -ix 'de_DE\.utf-\?8' >/dev/null; then
  echo "Generating the locale de_DE.UTF-8"
  needs_root "Generating a locale"
  if grep -q '^# *de_DE\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    "${sudo[@]}" sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'de_DE.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo[@]}" locale-gen
fi
