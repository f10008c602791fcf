#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Installs every Debian package Vorenx needs to build, test and run.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools qt6-serialport-dev libqt6serialport6
  libqt6sql6-sqlite libqt6sql6-psql postgresql sqlite3
  libqt6opengl6-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  fonts-liberation2 fonts-wqy-zenhei fonts-dejavu-core
  xvfb xauth
  poppler-utils libxml2-dev libxml2-utils
  libreoffice-calc-nogui
  librsvg2-bin
  desktop-file-utils appstream man-db dpkg-dev file lintian
  stress-ng
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
