#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# hostile_inputs.sh KORVO RESOURCES x11|gnome: Korvo, started from a program folder of its own on
# a bare X server (x11) or with the GNOME backend over dconf (gnome), meets broken settings files,
# odd picture folders, hostile file names and broken or unusual pictures. After each it must still
# run, its peak resident memory must stay near that of a normal run, and a picture it cannot show
# must leave the former wallpaper in place.
set -euo pipefail
backend=$3
# shellcheck source-path=SCRIPTDIR source=../support/e2e.sh
source "$(dirname "$0")/../support/e2e.sh"
program_folder "$1" "$2"
# Korvo runs from its folder: a name that ran a command would leave its file there.
cd "$prog"
if [ "$backend" = gnome ]; then export XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=dconf; fi
# Freed memory held back by the address sanitizer would hide what the program itself keeps.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=8"

wallpaper() {
    if [ "$backend" = gnome ]; then
        gsettings get org.gnome.desktop.background picture-uri
    else
        root_pixmap
    fi
}
settings() { korv_ini "$1" 1 1; } # folder: a plain, valid settings file
peak_mb() { awk '/^VmHWM/ { print int($2 / 1024) }' /proc/"$pid"/status; }
# run CASE SECONDS [any]: Korvo runs on the current Korv.ini; it must live, stay bounded and,
# unless "any", keep the former wallpaper.
run() {
    start
    sleep "$2"
    kill -0 "$pid" 2>/dev/null || fail "$1: korvo ended"
    local peak
    peak=$(peak_mb)
    [ "$peak" -le "$limit" ] || fail "$1: peak resident memory $peak MB (normal $normal MB)"
    stop
    if [ "${3:-}" = any ]; then
        [ "$(wallpaper)" = "$former" ] && echo "ok: $1 (peak $peak MB, refused)" ||
            echo "ok: $1 (peak $peak MB, shown)"
        return
    fi
    [ "$(wallpaper)" = "$former" ] || fail "$1: the wallpaper changed to $(wallpaper)"
    echo "ok: $1 (peak $peak MB)"
}

# A normal run sets the former wallpaper and the yardstick for memory.
settings "$prog/fond/" >"$prog/Korv.ini"
start
for _ in $(seq 1 50); do [ -n "$(wallpaper)" ] && [ "$(wallpaper)" != "''" ] && break; sleep 0.1; done
sleep 2
normal=$(peak_mb)
# The sanitizer build lists 100 000 names in about 60 MB; a 50 000 x 50 000 decode needs 10 GB.
limit=$((normal + 100))
stop
echo "a normal run peaks at $normal MB; the limit is $limit MB"
former=$(wallpaper)
[ -n "$former" ] || fail "a normal run set no wallpaper"

# Pictures no backend can show: nothing to decode, or a header over nothing usable.
bad=$prog/bad
mkdir "$bad"
: >"$bad/empty.jpg"
echo "not a picture at all" >"$bad/text.jpg"
# A PNG whose header claims 50 000 x 50 000 pixels (10 GB decoded) over a few bytes of data.
python3 - "$bad/huge.png" <<'EOF'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 50000, 50000, 8, 6, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(b"\0" * 4096)) + chunk(b"IEND", b"")
open(sys.argv[1], "wb").write(png)
EOF

# Korv.ini variants, each pointing the change clock at the bad pictures where a folder is read.
ini() { printf '%b' "$1" >"$prog/Korv.ini"; }
B="$bad/"
ini "[OPTION]\nFolder=12345\nWallpaper=42\nLang=7\nAffichage=1\nAspect=1\nTime=99\nDelay=1\n[Start]\nWin=0\nFirst=0\n"
run "numbers where texts go" 1.2
ini "[OPTION]\nFolder=$B\nWallpaper=Null\nLang=EN\nAffichage=auto\nAspect=wide\nTime=noon\nDelay=soon\n[Start]\nWin=yes\nFirst=no\n"
run "texts where numbers go" 1.2
ini "[OPTION]\nFolder=\nWallpaper=\nLang=\nAffichage=\nAspect=\nTime=\nDelay=\n[Start]\nWin=\nFirst=\n"
run "empty values" 1.2
ini "Folder=$B\nAffichage=1\nDelay=1\nFirst=0\n"
run "missing sections" 1.2
{ settings "$B"; head -c 7500000 /dev/urandom | base64; } >"$prog/Korv.ini"
run "10 MB of junk after the settings" 2
{ printf '\0\377\376[OPTION]\0\nFolder=%s\0tail\n' "$B"; head -c 4096 /dev/urandom; settings "$B"; } >"$prog/Korv.ini"
run "binary bytes and NULs" 1.2
{ printf '\357\273\277'; settings "$B"; } >"$prog/Korv.ini"
run "a UTF-8 byte-order mark" 1.2
settings "$B" | awk 'NR % 2 { printf "%s\r\n", $0; next } { print }' >"$prog/Korv.ini"
run "CRLF and LF mixed" 1.2
echo file >"$prog/afile"
settings "$prog/afile/" >"$prog/Korv.ini"
run "a folder that is a file" 1.2
ln -s loop "$prog/loop"
settings "$prog/loop/" >"$prog/Korv.ini"
run "a symlink loop" 1.2
if [ "$(id -u)" -ne 0 ]; then
    mkdir "$prog/locked" && cp "$bad/empty.jpg" "$prog/locked/" && chmod 000 "$prog/locked"
    settings "$prog/locked/" >"$prog/Korv.ini"
    run "an unreadable folder" 1.5
    chmod 700 "$prog/locked"
else # root reads every folder: a path the system refuses to resolve stands in for it
    settings "$prog/$(printf 'x%.0s' $(seq 1 5000))/" >"$prog/Korv.ini"
    run "a folder that cannot be listed (name too long)" 1.5
fi
mkdir "$prog/many"
(cd "$prog/many" && seq -f 'p%06g.jpg' 1 100000 | xargs touch)
settings "$prog/many/" >"$prog/Korv.ini"
run "a folder of 100 000 empty pictures" 3

# The change clock walks the bad pictures, each offered at least once.
settings "$B" >"$prog/Korv.ini"
run "0 bytes, text named .jpg, 50000x50000 PNG header" 5

# A valid header over noise decodes to nothing: refused, on the desktops that only store the name
# as on the root window Korvo draws itself.
damaged=$prog/damaged
mkdir "$damaged"
{ head -c 700 "$prog/fond/forest.jpg"; head -c 30000 /dev/urandom; } >"$damaged/noise.jpg"
{ head -c 33 "$prog/fond/dawn.png"; head -c 30000 /dev/urandom; } >"$damaged/noise.png"
settings "$damaged/" >"$prog/Korv.ini"
run "JPEG and PNG headers over noise" 3
# What the decoder makes of a cut-off JPEG (grey below the cut) may be shown or refused.
rm "$damaged"/*
head -c 20000 "$prog/fond/forest.jpg" >"$damaged/truncated.jpg"
run "a truncated JPEG" 2 any

# Pictures a backend can show, under names a shell would misread: each must become the
# wallpaper in turn, and no name may run anything.
odd=$prog/odd
mkdir "$odd"
src=$prog/fond/stone.png
convert "$src" -resize 320x200 -depth 16 "$odd/deep16.png"
convert "$src" -resize 320x200 -colorspace CMYK "$odd/cmyk.jpg"
convert "$src" -resize 320x200 -interlace Plane "$odd/progressive.jpg"
convert "$src" -resize 64x40 \( +clone -negate \) -set delay 20 -loop 0 "$odd/animated.gif"
convert "$src" -resize 320x200 "$odd/picture.webp"
convert "$src" -resize 320x200 "$odd/picture.tiff"
for name in "it's \"quoted\".png" '$(touch INJECTED).png' 'a; touch INJECTED.png' '-rf.png' \
    "$(printf 'new\nline.png')" "$(printf 'bad\377\376utf8.png')" '`touch INJECTED`.png'; do
    cp "$src" "$odd/$name"
done
count=$(find "$odd" -type f | wc -l)
settings "$odd/" >"$prog/Korv.ini"
start
seen=() last=$former
for _ in $(seq 1 $(((count + 3) * 10))); do
    now=$(wallpaper)
    if [ "$now" != "$last" ]; then seen+=("$now"); last=$now; fi
    [ ${#seen[@]} -ge "$count" ] && break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null || fail "unusual pictures: korvo ended"
peak=$(peak_mb)
[ "$peak" -le "$limit" ] || fail "unusual pictures: peak resident memory $peak MB (normal $normal MB)"
stop
[ ${#seen[@]} -ge "$count" ] || fail "only ${#seen[@]} of the $count unusual pictures became the wallpaper"
[ -z "$(find "$prog" "$HOME" -name 'INJECTED*' -not -path "$odd/*")" ] || fail "a file name ran a command"
echo "ok: 16-bit PNG, CMYK and progressive JPEG, animated GIF, WebP, TIFF and hostile names (peak $peak MB)"
echo "korvo hostile inputs ($backend): all cases ok"
