#!/usr/bin/env bash
# Installs the Debian packages that building and testing Vocanto needs,
# skipping those already present. Pass extra package names to add them.
set -euo pipefail
packages=(cmake g++ make pkgconf qt6-base-dev qt6-svg-dev libespeak-ng-dev espeak-ng-data
          libpulse-dev libsndfile1-dev xvfb xauth "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
