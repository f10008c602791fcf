#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Installs what Vorenx needs, builds it and runs every test (with a throw-away
# PostgreSQL server for the records store): the plain build,
# an AddressSanitizer + UndefinedBehaviorSanitizer build, a ThreadSanitizer
# build of the link, worker and history suites, and each fuzz target for a
# bounded time. Ends with one summary line.
set -uo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
FUZZ_SECONDS=${FUZZ_SECONDS:-30}

bash scripts/setup.sh || exit 1

# The sanitizer build below configures cmake itself; it takes ccache as build.sh does.
ccache_args=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")} CCACHE_NOHASHDIR=1
  ccache_args=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

passed=0
failed=0
summary=()

# The records store's suites run on a throw-away PostgreSQL server as well as
# on SQLite: each ctest run gets its own server, and a server that does not
# start (or a suite that finds none) counts as a failure.
with_postgres=(env VORENX_REQUIRE_POSTGRES=1 bash scripts/with-postgres.sh)

# run_ctest NAME DIR [ctest args...]: runs ctest and adds its counts to the totals.
run_ctest() {
  local name=$1 dir=$2; shift 2
  local log; log=$(mktemp)
  "${with_postgres[@]}" ctest --test-dir "$dir" --output-on-failure "$@" 2>&1 | tee "$log"
  local line; line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  rm -f "$log"
  if [ -z "$line" ]; then
    failed=$((failed + 1)); summary+=("$name: no result"); return
  fi
  local nfail total
  nfail=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - nfail)); failed=$((failed + nfail))
  summary+=("$name: $((total - nfail)) of $total passed")
}

build_or_fail() {
  local name=$1; shift
  if ! bash scripts/build.sh "$@"; then
    failed=$((failed + 1)); summary+=("$name: build failed"); return 1
  fi
}

# 0. Every source file names its licence in its first lines.
if bash scripts/spdx-headers.sh --check; then
  passed=$((passed + 1)); summary+=("licence lines: every source file")
else
  failed=$((failed + 1)); summary+=("licence lines: missing (run scripts/spdx-headers.sh)")
fi

# 1. The plain build: every test, the benchmarks built.
if build_or_fail plain build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
  run_ctest plain build-test
fi

# 2. AddressSanitizer + UndefinedBehaviorSanitizer: every test.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if build_or_fail asan build-asan -DCMAKE_BUILD_TYPE=Debug -DVORENX_SANITIZE=address,undefined \
     -DVORENX_BUILD_BENCH=OFF -DVORENX_BUILD_APPS=OFF; then
  run_ctest asan+ubsan build-asan
fi

# 3. ThreadSanitizer: the suites labelled tsan (link, worker, history, panel).
# Only the suites labelled tsan are built: the test names are their target names.
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp
if cmake -S . -B build-tsan -G Ninja "${ccache_args[@]}" -DCMAKE_BUILD_TYPE=Debug -DVORENX_SANITIZE=thread \
     -DVORENX_BUILD_BENCH=OFF -DVORENX_BUILD_APPS=OFF >/dev/null; then
  mapfile -t tsan_targets < <(ctest --test-dir build-tsan -N -L tsan | sed -n 's/^ *Test *#[0-9]*: *//p')
  if cmake --build build-tsan -j "$(nproc)" --target "${tsan_targets[@]}"; then
    run_ctest tsan build-tsan -L tsan
  else
    failed=$((failed + 1)); summary+=("tsan: build failed")
  fi
else
  failed=$((failed + 1)); summary+=("tsan: configure failed")
fi

# 4. Fuzz targets, each for a bounded time.
if CC=clang CXX=clang++ build_or_fail fuzz build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
     -DVORENX_BUILD_FUZZ=ON -DVORENX_BUILD_TESTS=OFF -DVORENX_BUILD_BENCH=OFF -DVORENX_BUILD_APPS=OFF; then
  for f in build-fuzz/fuzz/*/fuzz_*; do
    [ -f "$f" ] && [ -x "$f" ] || continue
    corpus=$(mktemp -d)
    if "$f" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 "$corpus" >"$corpus.log" 2>&1; then
      passed=$((passed + 1)); summary+=("$(basename "$f"): clean for ${FUZZ_SECONDS}s")
    else
      tail -n 40 "$corpus.log"
      failed=$((failed + 1)); summary+=("$(basename "$f"): FAILED")
    fi
    rm -rf "$corpus" "$corpus.log"
  done
fi

echo
printf '%s\n' "${summary[@]}"
echo "Summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
