#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# change_loop_x11.sh KORVO RESOURCES: Korvo, started from a program folder of its own on a bare X
# server, shows its main window listing the sample folder, applies the picture picked in the list
# with the apply button (centred), sits in the tray, follows the mouse when dragged by its body, and
# in automatic mode changes the wallpaper once per delay.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../support/e2e.sh
source "$(dirname "$0")/../support/e2e.sh"
program_folder "$1" "$2"

settings() { korv_ini "$prog/fond/" "$@" >"$prog/Korv.ini"; } # mode delay
# The main window is the program's visible 423 x 333 window (its tray icon is another).
open_main() {
    start
    window 423 333 || fail "no 423x333 main window appeared"
}
pixel() { # file x y -> "r,g,b"
    convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)],%[fx:int(255*u.p{$2,$3}.g)],%[fx:int(255*u.p{$2,$3}.b)]" info:
}
close_to() { # "r,g,b" "r,g,b"
    local IFS=,
    read -r a b c <<<"$1"
    read -r x y z <<<"$2"
    local d=$(((a - x) * (a - x) + (b - y) * (b - y) + (c - z) * (c - z)))
    [ "$d" -le 300 ]
}

# Manual mode: pick the first file of the list, press the apply button.
settings 2 0
open_main
[ -z "$(root_pixmap)" ] || fail "the wallpaper changed before anything was applied"
until_ok 50 tray_icon || fail "no tray icon in the tray host"
# Borderless, the window moves with the mouse pressed on its body, through the window manager.
eval "$(xdotool getwindowgeometry --shell "$win")"
from=$X,$Y
xdotool mousemove --window "$win" 150 8 mousedown 1 sleep 0.3 mousemove_relative --sync 60 40 \
    mousemove_relative --sync 40 20 mouseup 1
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$X,$Y" = "$((${from%,*} + 100)),$((${from#*,} + 60))" ] ||
    fail "dragged by 100,60 from $from, the window is at $X,$Y"
xdotool mousemove --window "$win" 20 134 click 1   # the list's first entry, dawn.png
sleep 0.3
xdotool mousemove --window "$win" 168 316 click 1  # the apply button
for _ in $(seq 1 50); do [ -n "$(root_pixmap)" ] && break; sleep 0.1; done
[ -n "$(root_pixmap)" ] || fail "the apply button set no wallpaper"
import -window root "$prog/root.png"
# Centred on 1280x800: the picture's centre is the screen's centre, its corner sits at 128,80.
close_to "$(pixel "$prog/root.png" 900 600)" "$(pixel "$prog/fond/dawn.png" 772 520)" ||
    fail "the root window does not show dawn.png centred"
stop

# Automatic mode, two seconds: the first change a second after start, then one every two.
settings 1 2
open_main
seen=() last=
for _ in $(seq 1 80); do
    now=$(root_pixmap)
    if [ -n "$now" ] && [ "$now" != "$last" ]; then seen+=("$now"); last=$now; fi
    [ ${#seen[@]} -ge 4 ] && break
    sleep 0.1
done
[ ${#seen[@]} -ge 3 ] || fail "automatic mode changed the wallpaper ${#seen[@]} times in 8 s"
stop
echo "korvo end to end: window, apply and automatic changes on X11 ok"
