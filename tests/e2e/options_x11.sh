#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# options_x11.sh KORVO RESOURCES: from the main window the user opens the options dialog, walks
# the folder browser into another picture folder, picks "Automatic" and "5 seconds" and presses
# OK; Korv.ini then holds the new settings and the wallpaper changes from the new folder.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../support/e2e.sh
source "$(dirname "$0")/../support/e2e.sh"
program_folder "$1" "$2"

# The browser opens in the pictures folder that user-dirs.dirs names; the new folder is inside.
new="$HOME/Pictures/new"
mkdir -p "$new" "$XDG_CONFIG_HOME"
echo 'XDG_PICTURES_DIR="$HOME/Pictures"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
convert -size 64x48 xc:'rgb(220,30,30)' "$new/red.png"
convert -size 64x48 xc:'rgb(30,30,220)' "$new/blue.png"
korv_ini "$prog/fond/" 2 0 >"$prog/Korv.ini"

waited() { window "$1" "$2" || fail "no ${1}x$2 window appeared"; } # width height, into $win
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
setting() { sed -n "s/^$1=//p" "$prog/Korv.ini" | tr -d '\r'; }

start
waited 423 333; main=$win
click "$main" 256 316                     # the options button
waited 491 360; options=$win
click "$options" 456 24                   # the folder button
waited 317 255; browser=$win
click "$browser" 40 32                    # the folder list's first row, ".."
xdotool key --window "$browser" Down Return   # into "new"
sleep 0.3
click "$browser" 232 216                  # OK
click "$options" 95 22                    # "Automatic"
xdotool key --window "$options" Tab Up    # the slider one step up: "5 seconds"
sleep 0.3
click "$options" 440 148                  # OK

for _ in $(seq 1 30); do [ "$(setting Affichage)" = 1 ] && break; sleep 0.1; done
[ "$(setting Folder)" = "$new/" ] || fail "Folder is '$(setting Folder)', not $new/"
[ "$(setting Affichage)" = 1 ] || fail "Affichage is '$(setting Affichage)', not 1"
[ "$(setting Delay)" = 5 ] || fail "Delay is '$(setting Delay)', not 5"

# Stretched over the screen: any pixel the windows leave free shows the colour of the picture
# applied. The window manager places the main window, so the corner is what is sure to be free.
for _ in $(seq 1 80); do [ -n "$(root_pixmap)" ] && break; sleep 0.1; done
[ -n "$(root_pixmap)" ] || fail "no wallpaper within 8 s of OK"
import -window root "$prog/root.png"
colour=$(convert "$prog/root.png" -format '%[fx:int(255*u.p{8,790}.r)],%[fx:int(255*u.p{8,790}.b)]' info:)
case "$colour" in
    22[0-9],3[0-9] | 21[0-9],3[0-9] | 3[0-9],22[0-9] | 3[0-9],21[0-9]) ;;
    *) fail "the wallpaper (red,blue $colour) is not a picture of the new folder" ;;
esac
stop
echo "korvo end to end: folder, mode and delay chosen in the options dialog ok"
