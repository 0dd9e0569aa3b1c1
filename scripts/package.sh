#!/usr/bin/env bash
# Builds the Debian package from build/ (cpack -G DEB), unpacks it into a scratch root, checks
# that this machine has everything it depends on, and runs the installed programs on the
# installed demo from there. Also installs with `cmake --install` to a prefix of its own and
# runs from there, so that the program finds its data wherever it is installed.
# Runs Debian's checks on it (lintian, desktop-file-validate, appstreamcli validate). Run by
# scripts/test.sh after the build; needs nothing beyond scripts/setup.sh's packages.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)

rm -rf build/package
cpack --config build/CPackConfig.cmake -G DEB -B build/package >/dev/null
deb=$(ls build/package/cockpix_*.deb)
echo "Package: $deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb --field "$deb" Package Version Depends

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
# What it depends on is installed here (nothing is installed or changed by this).
$sudo_cmd dpkg --dry-run --install "$deb" >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
dpkg-deb --extract "$deb" "$root"
for file in usr/bin/cockpix usr/bin/cockpix-cli usr/libexec/cockpix/cockpix-cli-pictures \
            usr/share/applications/cockpix.desktop \
            usr/share/mime/packages/cockpix.xml usr/share/icons/hicolor/scalable/apps/cockpix.svg \
            usr/share/icons/hicolor/48x48/apps/cockpix.png usr/share/cockpix/cockpix_help.html \
            usr/share/cockpix/default_gauge_bitmap.bmp usr/share/doc/cockpix/copyright \
            usr/share/doc/cockpix/changelog.gz usr/share/man/man1/cockpix.1.gz \
            usr/share/man/man1/cockpix-cli.1.gz usr/share/metainfo/invalid.cockpix.cockpix.metainfo.xml; do
  [ -e "$root/$file" ] || { echo "package.sh: the package has no /$file" >&2; exit 1; }
done
# Debian's own checks: the package, the desktop entry, the software centre's metainfo.
lintian --fail-on error,warning "$deb" 2> >(grep -v "running with root privileges" >&2)
desktop-file-validate "$root/usr/share/applications/cockpix.desktop"
appstreamcli validate --no-net --explain \
  "$root/usr/share/metainfo/invalid.cockpix.cockpix.metainfo.xml" >/dev/null
# The manual pages say what the programs' --help says.
zcat "$root/usr/share/man/man1/cockpix-cli.1.gz" | grep -q "^\.SH SYNOPSIS"
zcat "$root/usr/share/man/man1/cockpix.1.gz" | grep -q -- "--show-window"

# The installed programs, on a home and settings of their own.
export HOME="$scratch/home" COCKPIX_CONFIG_DIR="$scratch/config"
unset XDG_DATA_HOME XDG_CONFIG_HOME COCKPIX_DEMO_DIR COCKPIX_SCREEN
mkdir -p "$HOME"
bin="$root/usr/bin"
demo="$root/usr/share/cockpix/demo/fs98"
panel="$demo/aircraft/demo_cessna/panel/panel.cfg"
"$bin/cockpix-cli" --version
"$bin/cockpix" --version
"$bin/cockpix-cli" dump "$panel" >"$scratch/dump.json"
grep -q '"windowCount"' "$scratch/dump.json"
# The checker on the installed demo, which finds its gauges beside its aircraft: no error,
# only the warnings the demo keeps on purpose (status 1), each in the form compilers use; 2
# would be a panel it cannot read.
status=0
"$bin/cockpix-cli" check "$panel" >"$scratch/check.txt" || status=$?
[ "$status" -eq 1 ]
grep -Eq "^$panel:[0-9]+: warning: .* \[[a-z0-9-]+\]\$" "$scratch/check.txt"
if grep -q ": error: " "$scratch/check.txt"; then
  echo "package.sh: the installed demo has errors:" >&2
  cat "$scratch/check.txt" >&2
  exit 1
fi
# The demo's MSFS package is installed beside it and its panel has no error either.
msfs_panel="$root/usr/share/cockpix/demo/msfs/Community/cockpix-demo-msfs/SimObjects/Airplanes/cockpix-demo-jet/panel/panel.cfg"
status=0
"$bin/cockpix-cli" check "$msfs_panel" >"$scratch/check-msfs.txt" || status=$?
if [ "$status" -gt 1 ] || grep -q ": error: " "$scratch/check-msfs.txt"; then
  echo "package.sh: the installed demo MSFS package has errors:" >&2
  cat "$scratch/check-msfs.txt" >&2
  exit 1
fi
# Drawing needs the shipped default pictures, found in /usr/share/cockpix beside /usr/bin.
"$bin/cockpix-cli" render "$panel" --window 0 --screens all --out "$scratch/shot.png" \
  --bmp-dir "$scratch/bmp" >/dev/null
[ -s "$scratch/shot-1600x1200.png" ]

# The program itself on the installed demo: it copies the demo into the home and keeps
# running (timeout's 124) rather than stopping at once with an error.
status=0
QT_QPA_PLATFORM=offscreen timeout 8 "$bin/cockpix" --demo --show-window 0 >/dev/null 2>&1 \
  || status=$?
if [ "$status" -ne 124 ]; then
  echo "package.sh: the installed cockpix --demo ended with status $status" >&2
  exit 1
fi
[ -f "$HOME/.local/share/cockpix/demo/fs98/aircraft/demo_cessna/panel/panel.cfg" ]

# cmake --install to another prefix: the program finds its data there too.
cmake --install build --prefix "$scratch/opt" >/dev/null
"$scratch/opt/bin/cockpix-cli" render "$panel" --window 0 --out "$scratch/opt.png" \
  --gauges-dir "$demo/gauges" --bmp-dir "$scratch/bmp2" >/dev/null
[ -s "$scratch/opt.png" ]

echo "Package checks passed in $(( $(date +%s) - started )) s."
