#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Builds the Debian package of Vorenx: vorenx_<version>_<arch>.deb, with its
# library dependencies worked out from the programs. Usage: package.sh [DIR]
# DIR is the build tree (default build-package); a tree that is not configured
# yet is configured for the package, one that is is used as it stands. The last
# line printed is the path of the package.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}

bash scripts/setup.sh
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORENX_BUILD_TESTS=OFF -DVORENX_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$dir" -j "$(nproc)"
(cd "$dir" && rm -f vorenx_*.deb && cpack -G DEB >cpack.log) || { cat "$dir/cpack.log"; exit 1; }
realpath "$dir"/vorenx_*.deb
