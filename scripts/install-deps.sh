#!/usr/bin/env bash
# Installs what building and testing Calmora needs on Debian 12, and nothing that is there already.
set -euo pipefail

packages=(cmake ninja-build g++ clang-format googletest libgtest-dev libgmock-dev
          mingw-w64 wine wine64 xvfb x11-utils x11-xserver-utils fonts-liberation python3-fonttools
          liblnk-utils icoutils imagemagick wixl msitools osslsigncode openssl zip unzip)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
