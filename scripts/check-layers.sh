#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# Checks that every include of the program's sources runs down the floors of
# docs/architecture.md, never up or sideways. Usage: check-layers.sh [ROOT]
# (default: the checkout this script is in). Prints each include that breaks
# a rule as FILE:LINE and exits 1 when there is one; tests, benchmarks and fuzz
# targets may include anything and are not read.
set -euo pipefail
root=${1:-$(dirname "$0")/..}
cd "$root"

# Each folder's layer, and the layers it may include besides its own.
declare -A layer_of=(
  [src/platform]=platform [src/instrument]=instrument [src/grid]=grid
  [qelhard]=qelhard [qeldisplay]=qeldisplay [simulator]=simulator
  [src/link]=link [src/journal]=journal [src/watch]=watch [src/display]=display [src/log]=log
  [src/calib]=calib [src/records]=records [src/certificate]=certificate [src/station]=station
  [src/calib_dialog]=calib_dialog
  [src/records_cli]=records_cli [src/calibrate_cli]=calibrate_cli [src/probe]=probe [src/app]=app [src/logger]=logger
)
declare -A may_use=(
  [platform]=""
  [instrument]="platform"
  [grid]="platform"
  [qelhard]="instrument platform"
  [qeldisplay]="instrument platform"
  [simulator]="qelhard instrument platform"
  [link]="instrument platform"
  [journal]="instrument platform"
  [watch]="platform"
  [display]="link instrument platform"
  [log]="grid link journal instrument platform"
  [calib]="instrument platform"
  [records]="calib instrument platform"
  [records_cli]="records calib instrument platform"
  [certificate]="records calib instrument platform"
  [station]="calib journal watch link instrument platform"
  [calibrate_cli]="station certificate records calib journal link instrument platform"
  [calib_dialog]="certificate records calib grid link instrument platform"
  [probe]="qelhard link instrument platform"
  [logger]="station watch journal link instrument platform"
  [app]="calib_dialog certificate station records calib log display grid journal watch link qelhard qeldisplay instrument platform"
)
# Single files with a reason to reach further: the bindings tie the libraries
# to the link's interfaces, and a program's start may run the simulator (and
# vorenx-calibrate's and the logger's map their ports to device paths and ask
# why one cannot be opened, as the window's does).
declare -A file_may_use=(
  [qelhard/QelHardBinding.cpp]="link"
  [qeldisplay/QelDisplayBinding.cpp]="link"
  [src/app/main.cpp]="simulator"
  [src/app/AppOptions.cpp]="simulator"
  [src/calibrate_cli/main.cpp]="simulator qelhard"
  [src/calibrate_cli/CalibrateOptions.cpp]="simulator"
  [src/logger/main.cpp]="qelhard"
)
# The folder prefix an include names ("link/X.h") and its layer.
declare -A prefix_layer=()
for folder in "${!layer_of[@]}"; do prefix_layer[${folder##*/}]=${layer_of[$folder]}; done
# Bare names ("QelHard.h") are found by the folder that holds the file.
declare -A bare_layer=()
for folder in "${!layer_of[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r f; do bare_layer[${f##*/}]=${layer_of[$folder]}; done \
    < <(find "$folder" -maxdepth 1 -name '*.h')
done

broken=0
for folder in "${!layer_of[@]}"; do
  [ -d "$folder" ] || continue
  own=${layer_of[$folder]}
  while IFS= read -r file; do
    allowed=" $own ${may_use[$own]} ${file_may_use[$file]:-} "
    while IFS=: read -r line name; do
      target=""
      if [[ $name == */* ]]; then
        target=${prefix_layer[${name%%/*}]:-}
      elif [ -e "$(dirname "$file")/$name" ]; then
        target=$own
      else
        target=${bare_layer[$name]:-}
      fi
      [ -n "$target" ] || continue  # a system or generated header
      if [[ $allowed != *" $target "* ]]; then
        echo "$file:$line: includes \"$name\": $own may not use $target"
        broken=$((broken + 1))
      fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+"' "$file" |
             sed -E 's/^([0-9]+):.*"([^"]+)".*/\1:\2/')
  done < <(find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
done

if [ "$broken" -gt 0 ]; then
  echo "check-layers: $broken include(s) run against the floors (docs/architecture.md)"
  exit 1
fi
echo "check-layers: every include runs down the floors"
