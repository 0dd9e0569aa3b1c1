#!/usr/bin/env bash
# Installs what is missing, builds, and starts COCKPIX on the bundled demo FS98 installation
# (its own settings file; yours is never touched). Without a display it runs under Xvfb for a
# few seconds and leaves screenshots in build/cockpix-demo.png (the FS98 Cessna),
# build/cockpix-demo-jet.png (the demo jet of FS2000 and later, its main panel window) and
# build/cockpix-demo-msfs.png (the MSFS package's jet, its first VCockpit).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/cockpix --demo "$@"
fi

echo "No display: running the demo under Xvfb and taking screenshots."
# shoot PICTURE ARGS...: starts the demo with ARGS on a virtual screen and photographs it.
shoot() {
  local picture=$1
  shift
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    picture=$1
    shift
    build/bin/cockpix --demo "$@" &
    pid=$!
    sleep 6
    import -window root "$picture"
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
  ' bash "$picture" "$@"
  echo "Screenshot: $picture"
}
shoot build/cockpix-demo.png --show-window 0 "$@"
shoot build/cockpix-demo-jet.png build/demo/fs98/aircraft/demo_jet/panel/panel.cfg --show-window 0
shoot build/cockpix-demo-msfs.png \
  build/demo/msfs/Community/cockpix-demo-msfs/SimObjects/Airplanes/cockpix-demo-jet/panel/panel.cfg \
  --show-window 0
