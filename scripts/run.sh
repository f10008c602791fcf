#!/usr/bin/env bash
# Installs what Vorenx needs, builds it and starts it on its simulated
# instrument. Without a display it runs on the offscreen platform, saves a
# screenshot and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORENX_BUILD_TESTS=OFF -DVORENX_BUILD_BENCH=OFF

if [ -x build/src/app/vorenx ]; then
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/src/app/vorenx --simulate "$@"
  fi
  shot="$PWD/build/vorenx-screenshot.png"
  QT_QPA_PLATFORM=offscreen build/src/app/vorenx --simulate --screenshot "$shot" --quit-after 8 "$@"
  echo "No display: Vorenx ran on the offscreen platform; its window is in $shot"
else
  # Until the main window exists: the simulated instrument and the probe.
  # vorenx-sim prints its device path as its first line; the probe watches it
  # as COM4 for a few frames (PROBE_FRAMES, default 10) or until Ctrl+C.
  simout=$(mktemp)
  build/simulator/vorenx-sim >"$simout" &
  sim=$!
  trap 'kill -INT "$sim" 2>/dev/null; wait "$sim" 2>/dev/null; rm -f "$simout"' EXIT
  for _ in $(seq 50); do
    [ -s "$simout" ] && break
    sleep 0.1
  done
  path=$(head -n 1 "$simout")
  if [ -z "$path" ]; then
    echo "vorenx-sim did not start" >&2
    exit 1
  fi
  build/src/probe/vorenx-probe --port "4=$path" --watch 4 --interval 1 --count "${PROBE_FRAMES:-10}" "$@" || true
fi
