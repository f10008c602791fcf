#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
#
# Puts the licence identifier and the copyright line in the first lines of
# every source file of the project: C and C++ sources and headers, CMake files
# and shell scripts. Safe to run again: a file whose first lines already carry
# an SPDX-License-Identifier (ours or a differently licensed part's) is left
# as it is.
#
# Usage: spdx-headers.sh [--check] [DIR]
#   DIR      the source tree (default: the one this script is in)
#   --check  change nothing; list the files that lack the identifier and exit 1
#            when there is any
set -euo pipefail

IDENTIFIER="SPDX-License-Identifier: GPL-3.0-or-later"
COPYRIGHT="Copyright (C) 2026 The Vorenx developers"
# An identifier further down than this many lines does not count.
HEAD_LINES=5

check=0
root=""
for arg in "$@"; do
  case $arg in
    --check) check=1 ;;
    -h|--help) sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "$0"; exit 0 ;;
    -*) echo "spdx-headers.sh: unknown option $arg" >&2; exit 2 ;;
    *) [ -z "$root" ] || { echo "spdx-headers.sh: more than one folder given" >&2; exit 2; }
       root=$arg ;;
  esac
done
root=${root:-$(dirname "$0")/..}
cd "$root"

# The files to look at: those git knows (tracked or new but not ignored), or,
# outside a git checkout, every file below the source folders but the build trees.
list_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard
  else
    find . \( -path './build*' -o -path './.git' \) -type d -prune -o -type f -print0 | sed -z 's|^\./||'
  fi
}

# comment_style FILE: "//" for C and C++, "#" for CMake and shell, nothing for
# anything else. A file without an extension is a shell script when its first
# line runs a shell.
comment_style() {
  case ${1##*/} in
    *.c|*.cc|*.cpp|*.cxx|*.h|*.hh|*.hpp|*.hxx) echo "//" ;;
    CMakeLists.txt|*.cmake|*.sh|*.bash) echo "#" ;;
    *.*) ;;
    *) local first=""
       IFS= read -r first <"$1" || true
       if [[ $first =~ ^\#!.*[/\ ](ba|da|z)?sh([[:space:]]|$) ]]; then echo "#"; fi ;;
  esac
}

has_identifier() { head -n "$HEAD_LINES" "$1" | grep -c 'SPDX-License-Identifier:' >/dev/null; }

# add_header FILE STYLE: the two lines at the top, after a shebang line.
add_header() {
  local file=$1 c=$2 tmp
  tmp=$(mktemp "$file.spdx.XXXXXX")
  {
    if [ "$(head -c 2 "$file")" = "#!" ]; then
      head -n 1 "$file"
      printf '%s %s\n%s %s\n' "$c" "$IDENTIFIER" "$c" "$COPYRIGHT"
      tail -n +2 "$file"
    else
      printf '%s %s\n%s %s\n' "$c" "$IDENTIFIER" "$c" "$COPYRIGHT"
      cat "$file"
    fi
  } >"$tmp"
  # Keep the file's mode (scripts stay executable).
  chmod --reference="$file" "$tmp"
  mv "$tmp" "$file"
}

lacking=0
changed=0
while IFS= read -r -d '' file; do
  [ -f "$file" ] || continue
  style=$(comment_style "$file")
  [ -n "$style" ] || continue
  has_identifier "$file" && continue
  if [ "$check" -eq 1 ]; then
    echo "$file"
    lacking=$((lacking + 1))
  else
    add_header "$file" "$style"
    changed=$((changed + 1))
  fi
done < <(list_files)

if [ "$check" -eq 1 ]; then
  if [ "$lacking" -gt 0 ]; then
    echo "$lacking file(s) lack an SPDX-License-Identifier in their first $HEAD_LINES lines;" \
         "run scripts/spdx-headers.sh" >&2
    exit 1
  fi
  echo "every source file names its licence"
else
  echo "added the licence lines to $changed file(s)"
fi
