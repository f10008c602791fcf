# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Checks of an installed Vorenx tree, sourced by check_install.sh (a
# `cmake --install` prefix) and check_package.sh (the /usr of an unpacked
# Debian package). Each check prints "ok:" or "FAIL:"; finish_checks exits
# non-zero when any failed.

PROGRAMS=(vorenx vorenx-calibrate vorenx-logger vorenx-probe vorenx-records vorenx-sim)
failures=0

pass() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
finish_checks() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed"
}

# desktop_value FILE GROUP KEY: the value of KEY in [GROUP] of a desktop entry.
desktop_value() {
  awk -v group="[$2]" -v key="$3" '
    /^\[/ { in_group = ($0 == group); next }
    in_group && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' "$1"
}

# check_programs PREFIX: each program is there and answers --help with its usage.
check_programs() {
  local prefix=$1 p out
  for p in "${PROGRAMS[@]}"; do
    if [ ! -x "$prefix/bin/$p" ]; then fail "$p is not installed in $prefix/bin"; continue; fi
    if out=$(QT_QPA_PLATFORM=offscreen timeout 30 "$prefix/bin/$p" --help 2>&1) &&
       grep -q "^Usage: $p" <<<"$out"; then
      pass "$p --help"
    else
      fail "$p --help did not print its usage: $out"
    fi
  done
}

# check_desktop_entry PREFIX APP_ID: the entry validates, and every command it
# starts is installed.
check_desktop_entry() {
  local prefix=$1 app_id=$2
  local entry=$prefix/share/applications/$app_id.desktop
  if [ ! -f "$entry" ]; then fail "no desktop entry $entry"; return; fi
  local out
  if out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ]; then
    pass "desktop-file-validate $app_id.desktop"
  else
    fail "desktop-file-validate: $out"
  fi
  local groups=("Desktop Entry") action
  for action in $(desktop_value "$entry" "Desktop Entry" Actions | tr ';' ' '); do
    groups+=("Desktop Action $action")
  done
  local group exec program
  for group in "${groups[@]}"; do
    exec=$(desktop_value "$entry" "$group" Exec)
    program=${exec%% *}
    if [ -n "$program" ] && [ -x "$prefix/bin/$program" ]; then
      pass "[$group] starts an installed program ($exec)"
    else
      fail "[$group] Exec=\"$exec\" names no program in $prefix/bin"
    fi
  done
}

# check_icons PREFIX SOURCE_DIR APP_ID: the icon the desktop entry names is in
# the hicolor theme, and every icon picture of the source tree is installed
# unchanged, each PNG in the theme folder of its own size.
check_icons() {
  local prefix=$1 source=$2 app_id=$3 src dst size dims
  local theme=$prefix/share/icons/hicolor
  local icon; icon=$(desktop_value "$prefix/share/applications/$app_id.desktop" "Desktop Entry" Icon)
  if [ -n "$icon" ] && compgen -G "$theme/*/apps/$icon.*" >/dev/null; then
    pass "icon \"$icon\" of the desktop entry is in the hicolor theme"
  else
    fail "icon \"$icon\" of the desktop entry is not in $theme"
  fi
  src=$source/data/icons/vorenx.svg
  if [ -f "$src" ]; then
    if cmp -s "$src" "$theme/scalable/apps/vorenx.svg"; then pass "scalable icon installed"
    else fail "scalable icon missing or changed in $theme/scalable/apps"; fi
  fi
  for src in "$source"/data/icons/hicolor/*/apps/vorenx.png; do
    [ -f "$src" ] || continue
    size=${src%/apps/vorenx.png}; size=${size##*/}
    dst=$theme/$size/apps/vorenx.png
    if ! cmp -s "$src" "$dst"; then fail "icon $size missing or changed"; continue; fi
    dims=$(file -b "$dst")
    if [[ $dims == *"PNG image data, ${size/x/ x },"* ]]; then pass "icon $size"
    else fail "icon in $size is not a $size PNG: $dims"; fi
  done
}

# check_metainfo PREFIX APP_ID VERSION: the metainfo validates and matches the
# desktop entry, the programs and the version.
check_metainfo() {
  local prefix=$1 app_id=$2 version=$3
  local meta=$prefix/share/metainfo/$app_id.metainfo.xml
  if [ ! -f "$meta" ]; then fail "no metainfo $meta"; return; fi
  local out
  if out=$(appstreamcli validate --no-net "$meta" 2>&1); then pass "appstreamcli validate $app_id.metainfo.xml"
  else fail "appstreamcli validate: $out"; fi
  grep -q "<id>$app_id</id>" "$meta" || fail "metainfo id is not $app_id"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$meta" ||
    fail "metainfo does not launch $app_id.desktop"
  grep -q "<release version=\"$version\"" "$meta" || fail "metainfo names no release $version"
  local binary
  for binary in $(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$meta"); do
    [ -x "$prefix/bin/$binary" ] || fail "metainfo names $binary, which is not installed"
  done
}

# check_man_pages PREFIX: each program's page renders without a warning and
# describes, under OPTIONS, every option its --help lists.
check_man_pages() {
  local prefix=$1 p page text options_text warnings option missing lang
  for p in "${PROGRAMS[@]}"; do
    page=$prefix/share/man/man1/$p.1.gz
    if [ ! -f "$page" ]; then fail "no man page $page"; continue; fi
    warnings=$(mktemp)
    if ! text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -l "$page" 2>"$warnings") ||
       [ -s "$warnings" ] || ! grep -q "^NAME" <<<"$text"; then
      fail "man -l $p.1.gz: $(cat "$warnings")"
    elif ! lexgrog "$page" 2>/dev/null | grep -q "\"$p - "; then
      # What whatis and apropos read: the NAME line, "program - summary".
      fail "the NAME section of $p.1.gz does not parse: $(lexgrog "$page" 2>&1)"
    else
      # The OPTIONS section, up to the next heading.
      options_text=$(awk '/^[A-Z]/ { in_options = ($0 == "OPTIONS") } in_options' <<<"$text")
      missing=()
      # Options are those of the usage line and of the lines that begin with one.
      for option in $(QT_QPA_PLATFORM=offscreen "$prefix/bin/$p" --help 2>/dev/null |
                      grep -E '^(Usage:|[[:space:]]+-)' |
                      grep -oE '(^|[][ ,|])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u); do
        grep -qF -e "$option" <<<"$options_text" || missing+=("$option")
      done
      if [ ${#missing[@]} -eq 0 ]; then pass "man page of $p renders and describes its options"
      else fail "man page of $p does not describe ${missing[*]}"; fi
    fi
    rm -f "$warnings"
    # Its German and Chinese summary pages: present, rendered without a
    # warning at the usual width, and with a NAME line whatis can read.
    for lang in de zh_CN; do
      page=$prefix/share/man/$lang/man1/$p.1.gz
      warnings=$(mktemp)
      if [ ! -f "$page" ]; then fail "no $lang man page $page"
      elif ! LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" >/dev/null 2>"$warnings" || [ -s "$warnings" ]; then
        fail "man -l $lang/$p.1.gz: $(cat "$warnings")"
      elif ! lexgrog "$page" 2>/dev/null | grep -q "\"$p - "; then
        fail "the NAME section of $lang/$p.1.gz does not parse: $(lexgrog "$page" 2>&1)"
      else
        pass "$lang man page of $p renders and names its program"
      fi
      rm -f "$warnings"
    done
  done
}

# check_user_unit PREFIX: the logger's systemd user unit is where the user
# manager looks, starts an installed program, and passes systemd-analyze
# verify with that program and its man page in place.
check_user_unit() {
  local prefix=$1 unit=$1/share/systemd/user/vorenx-logger.service exec program out
  if [ ! -f "$unit" ]; then fail "no systemd user unit $unit"; return; fi
  exec=$(sed -n 's/^ExecStart=//p' "$unit")
  program=${exec%% *}
  if [ -x "$prefix/bin/$program" ]; then pass "the user unit starts an installed program ($exec)"
  else fail "the user unit's ExecStart=\"$exec\" names no program in $prefix/bin"; return; fi
  if ! command -v systemd-analyze >/dev/null; then echo "skipped: systemd-analyze verify (not installed)"; return; fi
  # The installed copy runs the program found on systemd's own path; the
  # checked copy names the one installed here.
  local copy; copy=$(mktemp -d)/vorenx-logger.service
  sed "s|^ExecStart=$program|ExecStart=$prefix/bin/$program|" "$unit" >"$copy"
  if out=$(MANPATH="$prefix/share/man" systemd-analyze verify "$copy" 2>&1); then pass "systemd-analyze verify vorenx-logger.service"
  else fail "systemd-analyze verify: $out"; fi
  rm -rf "$(dirname "$copy")"
}

# check_tree PREFIX SOURCE_DIR APP_ID VERSION: all of the above.
check_tree() {
  check_programs "$1"
  check_desktop_entry "$1" "$3"
  check_icons "$1" "$2" "$3"
  check_metainfo "$1" "$3" "$4"
  check_man_pages "$1"
  check_user_unit "$1"
}
