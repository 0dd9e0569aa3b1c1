#!/usr/bin/env bash
# Installs what is missing, builds, and starts COCKPIX on the bundled demo FS98 installation
# (its own settings file; yours is never touched). Without a display it runs under Xvfb for a
# few seconds and leaves a screenshot in build/cockpix-demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/cockpix --demo "$@"
fi

echo "No display: running the demo under Xvfb and taking a screenshot."
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  build/bin/cockpix --demo --show-window 0 "$@" &
  pid=$!
  sleep 6
  import -window root build/cockpix-demo.png
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
' bash "$@"
echo "Screenshot: build/cockpix-demo.png"
