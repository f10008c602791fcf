#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Installs a build tree into a temporary prefix and checks the installed tree:
# the programs answer --help, the desktop entry and the metainfo validate, the
# icons are in the hicolor theme, the man pages render, nothing lands outside
# the prefix. Run as root, it also checks what a user outside the dialout
# group is told about a serial port, and that joining the group helps.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -uo pipefail
build=$1 source=$2 app_id=$3 version=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/tree_checks.sh"

work=$(mktemp -d)
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
prefix=$work/prefix

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  fail "cmake --install"
  finish_checks
fi
pass "cmake --install into $prefix"

# Every installed file is below the prefix, in bin/ or share/ (no libraries or
# headers of the build's own static libraries).
outside=$(grep -v -e "^$prefix/bin/" -e "^$prefix/share/" "$build/install_manifest.txt")
if [ -z "$outside" ]; then pass "every installed file is in $prefix/bin or $prefix/share"
else fail "installed outside bin/ and share/: $outside"; fi

check_tree "$prefix" "$source" "$app_id" "$version"

# run_as_nobody [GROUPS] -- COMMAND...: runs COMMAND as the user nobody, with
# the given supplementary groups (none when empty).
run_as_nobody() {
  local groups=$1; shift
  if [ -n "$groups" ]; then
    setpriv --reuid=nobody --regid=nogroup --groups="$groups" --reset-env "$@"
  else
    setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env "$@"
  fi
}

check_serial_permission() {
  if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null || ! getent group dialout >/dev/null; then
    echo "skipped: the serial permission checks need root, setpriv and a dialout group"
    return
  fi
  chmod 755 "$work"
  # A simulated instrument whose terminal is owned as a USB serial adapter's is.
  "$prefix/bin/vorenx-sim" >"$work/sim.out" 2>/dev/null &
  sim_pid=$!
  local device="" i
  for i in $(seq 50); do
    device=$(head -n 1 "$work/sim.out")
    [ -n "$device" ] && break
    sleep 0.1
  done
  if [ -z "$device" ]; then fail "vorenx-sim printed no device path"; return; fi
  chgrp dialout "$device" && chmod 660 "$device"

  local probe=("$prefix/bin/vorenx-probe" --port "4=$device" --watch 4 --count 1)
  local out status
  out=$(run_as_nobody "" "${probe[@]}" 2>&1); status=$?
  if [ $status -ne 0 ] && grep -q "dialout" <<<"$out" && grep -qi "log in again" <<<"$out"; then
    pass "vorenx-probe outside the dialout group names the group and logging in again"
  else
    fail "vorenx-probe without permission (exit $status): $out"
  fi
  out=$(run_as_nobody "" "$prefix/bin/vorenx-probe" --port "4=$device" 2>&1)
  if grep -q "COM4 ($device): permission denied.*dialout.*log in again" <<<"$out"; then
    pass "the probe's port list names the dialout group for the refused port"
  else
    fail "the probe's port list without permission: $out"
  fi
  mkdir -p "$work/home" && chown nobody "$work/home"
  out=$(run_as_nobody "" env HOME="$work/home" QT_QPA_PLATFORM=offscreen \
        "$prefix/bin/vorenx" --port "4=$device" --quit-after 3 2>&1)
  if grep -q "COM4 ($device): permission denied.*dialout.*log in again" <<<"$out"; then
    pass "vorenx outside the dialout group names the group and logging in again"
  else
    fail "vorenx without permission: $out"
  fi
  out=$(run_as_nobody dialout "${probe[@]}" 2>&1); status=$?
  if [ $status -eq 0 ] && grep -q "#1 " <<<"$out"; then
    pass "vorenx-probe in the dialout group reads the instrument"
  else
    fail "vorenx-probe in the dialout group (exit $status): $out"
  fi
}
check_serial_permission

finish_checks
