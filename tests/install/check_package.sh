#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Builds the Debian package from a build tree (scripts/package.sh), installs it
# with dpkg into a temporary root whose package database is this machine's (so
# that its dependencies are checked against what is installed here), checks
# the installed tree, starts the menu entry's simulated-instrument command
# from the installed path and takes a screenshot, then removes the package
# and checks that nothing of it is left.
# Usage: check_package.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -uo pipefail
build=$1 source=$2 app_id=$3 version=$4
here=$(cd "$(dirname "$0")" && pwd)
. "$here/tree_checks.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! deb=$(bash "$source/scripts/package.sh" "$build" 2>"$work/package.log" | tail -n 1) || [ ! -f "$deb" ]; then
  cat "$work/package.log"
  fail "scripts/package.sh built no package"
  finish_checks
fi
# lintian, as a distribution would run it: any error fails the check.
lint=$(lintian --fail-on error "$deb" 2>&1); lint_status=$?
lint=$(grep -v 'running with root privileges' <<<"$lint")
if [ "$lint_status" -eq 0 ] && ! grep -q '^E:' <<<"$lint"; then
  pass "lintian finds no error${lint:+ ($(grep -c '^W:' <<<"$lint") warning(s))}"
else
  fail "lintian: $lint"
fi
arch=$(dpkg --print-architecture)
if [ "$(basename "$deb")" = "vorenx_${version}_${arch}.deb" ]; then pass "package $(basename "$deb")"
else fail "package is named $(basename "$deb"), not vorenx_${version}_${arch}.deb"; fi

# Dependencies: the libraries found in the programs, and the fonts.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6serialport6 libc6 fonts-liberation2 fonts-dejavu-core fonts-wqy-zenhei; do
  [[ ", $depends" == *", $needed"[\ ,]* || ", $depends" == *", $needed" ]] || fail "Depends lacks $needed: $depends"
done
pass "Depends: $depends"
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -e '^\./usr/bin/' -e '^\./usr/share/' -e '^\./usr/$' -e '^\./$')
if [ -z "$outside" ]; then pass "the package holds only /usr/bin and /usr/share"
else fail "the package holds files outside /usr/bin and /usr/share: $outside"; fi

root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
# Only the packages fully installed here, without pending trigger work, which
# dpkg would otherwise try to finish inside the temporary root.
awk 'BEGIN { RS = ""; ORS = "\n\n" } /(^|\n)Status: install ok installed(\n|$)/' /var/lib/dpkg/status |
  grep -v -e '^Triggers-Pending:' -e '^Triggers-Awaited:' >"$root/var/lib/dpkg/status"
# As a user other than root, dpkg unpacks with that user's ownership.
not_root=()
[ "$(id -u)" -eq 0 ] || not_root=(--force-not-root)
dpkg_root() { dpkg --root="$root" "${not_root[@]}" --log=/dev/null "$@"; }
if ! dpkg_root -i "$deb" >"$work/dpkg.log" 2>&1; then
  cat "$work/dpkg.log"
  fail "dpkg -i: the package does not install here"
  finish_checks
fi
pass "dpkg -i into a temporary root, dependencies satisfied"

check_tree "$root/usr" "$source" "$app_id" "$version"

# The menu entry's action, as a desktop would start it, with the installed
# programs first on the path.
command=$(desktop_value "$root/usr/share/applications/$app_id.desktop" "Desktop Action simulate" Exec)
program=$(PATH="$root/usr/bin:$PATH" command -v "${command%% *}")
[ "$program" = "$root/usr/bin/vorenx" ] || fail "the menu entry's command is $program, not the installed one"
shot=$work/screenshot.png
out=$(cd "$work" && PATH="$root/usr/bin:$PATH" QT_QPA_PLATFORM=offscreen \
      timeout 60 $command --screenshot "$shot" --quit-after 5 2>&1)
status=$?
picture=$(file -b "$shot" 2>/dev/null)
if [ $status -eq 0 ] && [[ $picture == "PNG image data"* ]] && grep -q "simulated instrument on COM4" <<<"$out"; then
  pass "installed \"$command\" ran and saved its window ($picture)"
else
  fail "installed \"$command\" (exit $status, screenshot: ${picture:-none}): $out"
fi

if dpkg_root -r vorenx >"$work/dpkg.log" 2>&1; then pass "dpkg -r vorenx"
else cat "$work/dpkg.log"; fail "dpkg -r vorenx"; fi
left=$(find "$root/usr" -mindepth 1 2>/dev/null)
if [ -z "$left" ]; then pass "nothing of the package is left"
else fail "left after removal: $left"; fi
state=$(dpkg-query --root="$root" -W -f='${db:Status-Status}' vorenx 2>/dev/null)
if [ -z "$state" ] || [ "$state" = "not-installed" ]; then pass "dpkg no longer knows vorenx"
else fail "vorenx is still \"$state\" after removal"; fi

finish_checks
