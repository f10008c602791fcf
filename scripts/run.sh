#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Installs what Vorenx needs, builds it and starts it on its simulated
# instrument. Without a display it runs on the offscreen platform, saves a
# screenshot and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORENX_BUILD_TESTS=OFF -DVORENX_BUILD_BENCH=OFF

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/app/vorenx --simulate "$@"
fi
shot="$PWD/build/vorenx-screenshot.png"
QT_QPA_PLATFORM=offscreen build/src/app/vorenx --simulate --screenshot "$shot" --quit-after 8 "$@"
echo "No display: Vorenx ran on the offscreen platform; its window is in $shot"
