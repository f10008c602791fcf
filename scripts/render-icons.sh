#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Renders the application icon (data/icons/vorenx.svg) into the PNG sizes of
# the hicolor icon theme. Run it after changing the SVG and commit the PNGs:
# the build embeds them and does not render anything itself.
# Needs rsvg-convert (Debian package librsvg2-bin, installed by scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
for n in 16 22 24 32 48 64 128 256; do
  dir="data/icons/hicolor/${n}x${n}/apps"
  mkdir -p "$dir"
  rsvg-convert --width "$n" --height "$n" --format png --output "$dir/vorenx.png" data/icons/vorenx.svg
done
echo "rendered data/icons/hicolor/*/apps/vorenx.png"
