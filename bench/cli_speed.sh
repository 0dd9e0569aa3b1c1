#!/bin/bash
# Whole-process speed of cockpix-cli beside the plain tools that only read the same bytes,
# measured in one run on inputs made here in a temporary folder:
#   check of a tree of 1500 aircraft folders   against  cat of their panel.cfg files (<= 3 x)
#   (panels of FS2000 and later; a smaller tree of FS98 panels full of findings is timed
#   the same way, for what the findings cost)
#   dump of a 100 MB panel.cfg, FS98 and later  against  wc -l of it                (<= 3 x)
# and, for the later panel, whose JSON is several times larger than the file, what writing
# that much output costs alone (cat of the file plus as many bytes written to /dev/null);
#   palette of a 4096 x 4096 background, each run in a fresh work folder (so that it scans)
#                                  against  a minimal C program that counts its bytes  (<= 1.5 x)
# (the C program reads the file in 64 KB pieces and counts how often each byte value occurs,
# the least any scan of the colours must do; both C programs are compiled here with cc -O2).
# Each command runs RUNS times (default 5); the best wall time and the best processor time
# of each side count, since the machine may be busy with other work. The verdict is taken
# on the wall times.
#
# Usage: bench/cli_speed.sh [path/to/cockpix-cli]   (default: build/bin/cockpix-cli)
#        (the palette needs the shipped color_mapping_table.pcl beside it, as in build/bin)
#        RUNS=7 AIRCRAFT=1500 FS98_AIRCRAFT=100 DUMP_MB=100 bench/cli_speed.sh

set -eu
cli=${1:-build/bin/cockpix-cli}
runs=${RUNS:-5}
aircraft=${AIRCRAFT:-1500}
fs98_aircraft=${FS98_AIRCRAFT:-100}
dump_mb=${DUMP_MB:-100}
[ -x "$cli" ] || { echo "cli_speed.sh: no program at $cli" >&2; exit 64; }
cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")

work=$(mktemp -d "${TMPDIR:-/tmp}/cockpix_cli_speed.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A later panel: titles, then windows of many gauge lines with comments, blank lines,
# blanks around the fields, empty fields and modules in folders, as generated panels of
# big aircraft have; a virtual cockpit and the views at the end.
fs2k_panel() { # windows gauges_per_window modules
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

fs2k_bitmap() { # the header and palette of a 1024 x 768 bitmap of 256 colours: what the later checker reads
    printf 'BM\x36\x04\x0c\0\0\0\0\0\x36\x04\0\0\x28\0\0\0\0\x04\0\0\0\x03\0\0\x01\0\x08\0'
    head -c $((24 + 1024)) /dev/zero
}

bitmap() { # a whole 64 x 48 bitmap of 256 colours, all black
    printf 'BM\x36\x10\0\0\0\0\0\0\x36\x04\0\0\x28\0\0\0\x40\0\0\0\x30\0\0\0\x01\0\x08\0'
    head -c $((24 + 1024 + 64 * 48)) /dev/zero
}

# make_tree ROOT COUNT KIND: COUNT aircraft folders, each with its panel folder, bitmaps and
# a panel.cfg (KIND later: three of four small, one of four bigger; KIND fs98: FS98 panels),
# and a gauges folder of 400 modules that every gauge line finds.
make_tree() {
    local root=$1
    mkdir -p "$root/gauges/Fleet"
    for m in $(seq 0 199); do
        echo MZ > "$root/gauges/Module$m.gau"
        echo MZ > "$root/gauges/Fleet/Module$m.gau"
    done
    if [ "$3" = fs98 ]; then bitmap > "$work/panel.bmp"; else fs2k_bitmap > "$work/panel.bmp"; fi
    fs2k_panel 4 40 200 > "$work/fs2k.cfg"
    fs2k_panel 12 60 200 > "$work/fs2k_big.cfg"
    fs98_panel 0.003 > "$work/fs98.cfg"
    for a in $(seq 1 "$2"); do
        local dir=$root/aircraft/plane$a/panel
        mkdir -p "$dir"
        cp "$work/panel.bmp" "$dir/panel0.bmp"
        cp "$work/panel.bmp" "$dir/panel1.bmp"
        if [ "$3" = fs98 ]; then cp "$work/fs98.cfg" "$dir/panel.cfg"
        elif [ $((a % 4)) -eq 0 ]; then cp "$work/fs2k_big.cfg" "$dir/panel.cfg"
        else cp "$work/fs2k.cfg" "$dir/panel.cfg"; fi
    done
    find "$root" -iname panel.cfg | sort > "$root.list"
}

# best_of COMMAND...: "WALL CPU", the least wall time and the least processor time (user and
# system, of the command and its children) in seconds of $runs runs, output to /dev/null.
# On a busy machine the wall time grows with the others' work; the processor time much less.
best_of() {
    local best_wall= best_cpu= line wall cpu
    for _ in $(seq 1 "$runs"); do
        line=$( { /usr/bin/time -f '%e %U %S' bash -c '"$@" > /dev/null 2>&1' _ "$@"; } 2>&1 | tail -1)
        wall=$(echo "$line" | awk '{print $1}')
        cpu=$(echo "$line" | awk '{print $2 + $3}')
        if [ -z "$best_wall" ] || [ "$(echo "$wall < $best_wall" | bc -l)" = 1 ]; then best_wall=$wall; fi
        if [ -z "$best_cpu" ] || [ "$(echo "$cpu < $best_cpu" | bc -l)" = 1 ]; then best_cpu=$cpu; fi
    done
    echo "$best_wall $best_cpu"
}

ratio() { echo "scale=2; $1 / ($2 + 0.005)" | bc -l; } # 5 ms: the timer's grain

report() { # name "ours" "theirs" target
    local ours_wall=${2% *} ours_cpu=${2#* } theirs_wall=${3% *} theirs_cpu=${3#* }
    local wall_ratio cpu_ratio verdict=met
    wall_ratio=$(ratio "$ours_wall" "$theirs_wall")
    cpu_ratio=$(ratio "$ours_cpu" "$theirs_cpu")
    if [ "$4" = - ]; then verdict="what the output costs"
    elif [ "$4" = findings ]; then verdict="what printing its findings costs"
    elif [ "$(echo "$wall_ratio <= $4" | bc -l)" != 1 ]; then verdict="NOT met (target <= $4 x)"
    else verdict="met (target <= $4 x)"; fi
    printf '%-42s %7.2f s %6.2f s  %7.2f s %6.2f s  %6.2f x %6.2f x  %s\n' "$1" \
        "$ours_wall" "$ours_cpu" "$theirs_wall" "$theirs_cpu" "$wall_ratio" "$cpu_ratio" "$verdict"
}

# A 4096 x 4096 background of 256 colours drawn as panels are, in runs of one colour, and the
# minimal C program that counts its bytes by value.
make_palette_inputs() {
    cat > "$work/bigbitmap.c" <<'C'
#include <stdio.h>
int main(void) {
    enum { W = 4096, H = 4096 };
    static unsigned char row[W];
    unsigned char header[54 + 1024] = {'B', 'M'};
    unsigned long size = sizeof header + (unsigned long)W * H;
    for (int k = 0; k < 4; ++k) {
        header[2 + k] = (unsigned char)(size >> (8 * k));
        header[10 + k] = (unsigned char)(sizeof header >> (8 * k));
        header[18 + k] = (unsigned char)(W >> (8 * k));
        header[22 + k] = (unsigned char)(H >> (8 * k));
    }
    header[14] = 40, header[26] = 1, header[28] = 8;
    for (int i = 0; i < 256; ++i)
        header[54 + 4 * i] = (unsigned char)i, header[55 + 4 * i] = (unsigned char)(255 - i),
                        header[56 + 4 * i] = (unsigned char)(i * 7);
    fwrite(header, 1, sizeof header, stdout);
    unsigned seed = 1;
    for (int x = 0; x < W;) { /* runs of 1 to 200 pixels */
        seed = seed * 1103515245u + 12345u;
        int run = 1 + (int)(seed >> 16) % 200, colour = (int)(seed >> 8) & 255;
        for (; run > 0 && x < W; --run)
            row[x++] = (unsigned char)colour;
    }
    for (int y = 0; y < H; ++y) {
        int shift = (y * 13) % W;
        fwrite(row + shift, 1, W - shift, stdout);
        fwrite(row, 1, shift, stdout);
    }
    return 0;
}
C
    cat > "$work/countbytes.c" <<'C'
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
int main(int argc, char** argv) {
    static unsigned char piece[1 << 16];
    unsigned long long counts[256] = {0}, total = 0;
    int fd = argc > 1 ? open(argv[1], O_RDONLY) : -1;
    ssize_t n;
    if (fd < 0)
        return 1;
    while ((n = read(fd, piece, sizeof piece)) > 0)
        for (ssize_t i = 0; i < n; ++i)
            ++counts[piece[i]];
    for (int v = 0; v < 256; ++v)
        total += counts[v];
    printf("%llu\n", total);
    return 0;
}
C
    cc -O2 -o "$work/bigbitmap" "$work/bigbitmap.c"
    cc -O2 -o "$work/countbytes" "$work/countbytes.c"
    "$work/bigbitmap" > "$work/big.bmp"
    mkdir -p "$work/palette_runs"
}

cat_list() { xargs cat < "$1"; }
# A fresh work folder each run, so that every run scans the bitmap.
palette_fresh() { "$cli" palette "$1" --workdir "$work/palette_runs/$BASHPID-$RANDOM$RANDOM"; }
write_bytes() { cat "$1"; head -c "$2" /dev/zero; }
check_tree() { "$cli" check "$1/aircraft" --gauges-dir "$1/gauges"; }
export -f cat_list write_bytes check_tree palette_fresh
export cli work

echo "making the inputs in $work ..."
make_tree "$work/tree" "$aircraft" later
make_tree "$work/fs98tree" "$fs98_aircraft" fs98
fs2k_panel $((dump_mb * 13)) 1750 200 > "$work/fs2k100.cfg"
fs98_panel "$dump_mb" > "$work/fs98_100.cfg"
make_palette_inputs
fs2k_size=$(stat -c %s "$work/fs2k100.cfg")
fs98_size=$(stat -c %s "$work/fs98_100.cfg")
json_size=$("$cli" dump "$work/fs2k100.cfg" | wc -c)
tree_bytes=$(xargs cat < "$work/tree.list" | wc -c)
echo "tree: $aircraft later panel.cfg files ($tree_bytes bytes); FS98 tree: $fs98_aircraft"
echo "dumps: later panel $fs2k_size bytes (its JSON $json_size bytes); FS98 panel $fs98_size bytes"
echo "best of $runs runs each"
printf '%-42s %-18s %-18s %-16s\n' "" "cockpix wall cpu" "plain wall cpu" "ratio wall cpu"

ours=$(best_of check_tree "$work/tree")
theirs=$(best_of cat_list "$work/tree.list")
report "check of $aircraft later aircraft vs cat" "$ours" "$theirs" 3

ours=$(best_of check_tree "$work/fs98tree")
theirs=$(best_of cat_list "$work/fs98tree.list")
# Each of these FS98 panels draws about 1100 findings (modules used twice, modules without a
# picture): the line shows what finding and printing them costs, beside reading the files.
report "check of $fs98_aircraft FS98 aircraft vs cat" "$ours" "$theirs" findings

ours=$(best_of "$cli" dump "$work/fs98_100.cfg")
theirs=$(best_of wc -l "$work/fs98_100.cfg")
report "dump of the FS98 panel vs wc -l" "$ours" "$theirs" 3

ours=$(best_of "$cli" dump "$work/fs2k100.cfg")
theirs=$(best_of wc -l "$work/fs2k100.cfg")
report "dump of the later panel vs wc -l" "$ours" "$theirs" 3
plain_out=$(best_of write_bytes "$work/fs2k100.cfg" "$json_size")
report "  the same vs cat + as many bytes written" "$ours" "$plain_out" -

ours=$(best_of palette_fresh "$work/big.bmp")
theirs=$(best_of "$work/countbytes" "$work/big.bmp")
report "palette of a 4096 x 4096 bitmap vs counting" "$ours" "$theirs" 1.5
