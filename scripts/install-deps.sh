#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# and only when one of them is missing.
set -euo pipefail
# qt6-translations-l10n: Qt's own German buttons and dialogs; desktop-file-utils,
# appstream, man-db, file and dpkg-dev: the install and package tests
# (cpack computes the package's dependencies with dpkg-shlibdeps); openbox: the
# title bars in the screenshots.
packages=(qt6-base-dev libgtest-dev libgmock-dev cmake g++ make fonts-wqy-microhei xdg-utils libcli11-dev
          srecord binutils xvfb xauth imagemagick clang libclang-rt-14-dev
          qt6-translations-l10n desktop-file-utils appstream man-db file dpkg-dev openbox)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
