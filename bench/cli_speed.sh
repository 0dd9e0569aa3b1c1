#!/bin/bash
# Whole-process speed of cockpix-cli beside the plain tools that only read the same bytes,
# measured in one run on inputs made here in a temporary folder:
#   check of a tree of 1500 aircraft folders   against  cat of their panel.cfg files (<= 3 x)
#   dump of a 100 MB panel.cfg, FS98 and later  against  wc -l of it                (<= 3 x)
# and, for the later panel, whose JSON is several times larger than the file, what writing
# that much output costs alone (cat of the file plus as many bytes written to /dev/null).
# Each command runs RUNS times (default 5); the best time of each side counts, since the
# machine may be busy with other work.
#
# Usage: bench/cli_speed.sh [path/to/cockpix-cli]   (default: build/bin/cockpix-cli)
#        RUNS=7 AIRCRAFT=1500 DUMP_MB=100 bench/cli_speed.sh

set -eu
cli=${1:-build/bin/cockpix-cli}
runs=${RUNS:-5}
aircraft=${AIRCRAFT:-1500}
dump_mb=${DUMP_MB:-100}
[ -x "$cli" ] || { echo "cli_speed.sh: no program at $cli" >&2; exit 64; }
cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")

work=$(mktemp -d "${TMPDIR:-/tmp}/cockpix_cli_speed.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A later panel: titles, then windows of many gauge lines with comments, blank lines,
# blanks around the fields, empty fields and modules in folders, as generated panels of
# big aircraft have; a virtual cockpit and the views at the end.
later_panel() { # windows gauges_per_window modules
    awk -v W="$1" -v G="$2" -v M="$3" 'BEGIN {
        ORS = "\r\n"
        print "// generated for the speed measurement"
        print "[Window Titles]"
        for (w = 0; w < W; ++w) printf "Window%02d=Window number %d\r\n", w, w
        for (w = 0; w < W; ++w) {
            print ""
            printf "[Window%02d]\r\n", w
            if (w % 3 == 0) print "Background_color=0,0,0"; else printf "file=panel%d.bmp\r\n", w % 2
            print "size_mm=1024,768"
            if (w % 2) { print "window_size=0.5,0.5"; print "window_pos=0.1,0.2" }
            printf "ident=%d\r\n", 10000 + w
            print "// the gauges"
            for (g = 0; g < G; ++g) {
                m = (w * 7 + g) % M
                if (g % 5 == 0)
                    printf "gauge%02d=Fleet\\Module%d!Instrument %d,  %d, %d, 64, 64\r\n", g, m, g, g % 1000, (g * 7) % 700
                else if (g % 5 == 1)
                    printf "gauge%02d=Module%d!Switch %d, %d,%d,,, FO\t\r\n", g, m, g, g % 900, (g * 3) % 700
                else
                    printf "gauge%02d=Module%d!Gauge%d, %d, %d, %.1f\r\n", g, m, g, g % 980, (g * 11) % 720, 40 + (g % 40) / 4
            }
        }
        print ""
        print "[Vcockpit01]"
        print "Background_color=0,0,0"
        print "size_mm=512,512"
        print "pixel_size=512,512"
        print "texture=$vc_panel"
        print "gauge00=Module0!Gauge0, 0, 0, 100, 100"
        print ""
        print "[VIEWS]"
        print "VIEW_FORWARD_WINDOWS=10000,10001"
    }'
}

# An FS98 panel of about $1 MB: nine windows of 64 gauges, padded with key lines of other
# tools and comments inside the window sections, as panels edited by hand over years are.
fs98_panel() {
    awk -v MB="$1" 'BEGIN {
        ORS = "\r\n"
        print "// generated for the speed measurement"
        print "[Window Titles]"
        for (w = 0; w < 9; ++w) printf "Window0%d=Window %d\r\n", w, w
        print ""
        per = MB * 1048576 / 9
        for (w = 0; w < 9; ++w) {
            printf "[Window0%d]\r\nfile=panel%d.bmp\r\nsize_mm=640\r\nposition=7\r\nvisible=1\r\nident=%d\r\n", w, w % 2, w
            for (g = 0; g < 64; ++g)
                printf "gauge%02d=Module%d, %d, %d, 96\r\n", g, (w * 9 + g) % 200, g * 10, g * 5
            for (n = 0; n < per; n += 108) {
                print "unknown_key_from_another_tool=some value that COCKPIX ignores"
                print "; a comment line inside the window section"
            }
            print ""
        }
        print "[Default View]"
        print "X=0"; print "Y=0"; print "SIZE_X=8192"; print "SIZE_Y=4096"
    }'
}

bitmap() { # a whole 64 x 48 bitmap of 256 colours, all black
    printf 'BM\x36\x10\0\0\0\0\0\0\x36\x04\0\0\x28\0\0\0\x40\0\0\0\x30\0\0\0\x01\0\x08\0'
    head -c $((24 + 1024 + 64 * 48)) /dev/zero
}

make_tree() {
    local root=$work/tree
    mkdir -p "$root/gauges"
    for m in $(seq 0 199); do echo MZ > "$root/gauges/Module$m.gau"; done
    mkdir -p "$root/gauges/Fleet"
    for m in $(seq 0 199); do echo MZ > "$root/gauges/Fleet/Module$m.gau"; done
    bitmap > "$work/panel.bmp"
    later_panel 4 40 200 > "$work/later.cfg"
    fs98_panel 0.003 > "$work/fs98.cfg"
    for a in $(seq 1 "$aircraft"); do
        local dir=$root/aircraft/plane$a/panel
        mkdir -p "$dir"
        cp "$work/panel.bmp" "$dir/panel0.bmp"
        cp "$work/panel.bmp" "$dir/panel1.bmp"
        if [ $((a % 4)) -eq 0 ]; then cp "$work/fs98.cfg" "$dir/panel.cfg"
        else cp "$work/later.cfg" "$dir/panel.cfg"; fi
    done
    find "$root" -iname panel.cfg | sort > "$work/tree.list"
}

# best_of COMMAND...: the least wall time in seconds of $runs runs, output to /dev/null.
best_of() {
    local best= t
    for _ in $(seq 1 "$runs"); do
        local start=$(date +%s.%N)
        "$@" > /dev/null 2>&1 || true
        local end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
    done
    echo "$best"
}

report() { # name ours theirs target
    local ratio
    ratio=$(echo "scale=2; $2 / $3" | bc -l)
    local verdict=met
    [ "$(echo "$ratio <= $4" | bc -l)" = 1 ] || verdict="NOT met"
    printf '%-44s %8.3f s  %8.3f s  %6.2f x  (target <= %s x: %s)\n' "$1" "$2" "$3" "$ratio" "$4" "$verdict"
}

cat_list() { xargs cat < "$work/tree.list"; }
write_bytes() { cat "$1"; head -c "$2" /dev/zero; }

echo "making the inputs in $work ..."
make_tree
later_panel $((dump_mb * 13)) 1750 200 > "$work/later100.cfg"
fs98_panel "$dump_mb" > "$work/fs98_100.cfg"
later_size=$(stat -c %s "$work/later100.cfg")
fs98_size=$(stat -c %s "$work/fs98_100.cfg")
json_size=$("$cli" dump "$work/later100.cfg" | wc -c)
panels=$(wc -l < "$work/tree.list")
echo "tree: $panels panel.cfg files; later panel $later_size bytes (JSON $json_size bytes); FS98 panel $fs98_size bytes"
echo "best of $runs runs each"
printf '%-44s %10s  %10s  %8s\n' "" "cockpix" "plain" "ratio"

ours=$(best_of "$cli" check "$work/tree/aircraft" --gauges-dir "$work/tree/gauges")
theirs=$(best_of cat_list)
report "check of $panels aircraft vs cat" "$ours" "$theirs" 3

ours=$(best_of "$cli" dump "$work/fs98_100.cfg")
theirs=$(best_of wc -l "$work/fs98_100.cfg")
report "dump of the FS98 panel vs wc -l" "$ours" "$theirs" 3

ours=$(best_of "$cli" dump "$work/later100.cfg")
theirs=$(best_of wc -l "$work/later100.cfg")
report "dump of the later panel vs wc -l" "$ours" "$theirs" 3
plain_out=$(best_of write_bytes "$work/later100.cfg" "$json_size")
printf '%-44s %8.3f s  %8.3f s  %6.2f x  (what its output costs alone)\n' \
    "  the same vs cat + writing as many bytes" "$ours" "$plain_out" "$(echo "scale=2; $ours / $plain_out" | bc -l)"
