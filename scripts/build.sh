#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Configures and builds one build tree. Usage: build.sh DIR [cmake options...]
# Uses ccache when it is installed, so that a second build of the same sources
# (another build tree, a later CI run on the same machine) compiles only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")} CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
