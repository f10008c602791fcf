#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Runs the quick suites (everything but the label `long`) of the plain build
# three times over, two at a time, while stress-ng keeps four CPU hogs busy:
# a test that only passes on an idle machine fails here. Prints the elapsed time.
set -uo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

bash scripts/setup.sh || exit 1
bash scripts/build.sh build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo || exit 1

stress-ng --cpu 4 --quiet &
stress_pid=$!
trap 'kill "$stress_pid" 2>/dev/null; wait "$stress_pid" 2>/dev/null' EXIT

start=$(date +%s)
ctest --test-dir build-test -j2 --repeat until-fail:3 -LE long --output-on-failure
result=$?
echo "load check: ctest ended with $result after $(( $(date +%s) - start )) s under stress-ng --cpu 4"
exit "$result"
