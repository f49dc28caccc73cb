#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# assistant_x11.sh KORVO RESOURCES: a fresh program folder, with the settings file as it is laid
# down, starts on the assistant's language page; a user clicks through the three pages, picking
# the folder in the folder browser, and lands on the main window, which changes the wallpaper
# from that folder. The settings file then holds the assistant's eight values, and the second
# start shows the main window.
set -euo pipefail
resources=$2
# shellcheck source-path=SCRIPTDIR source=../support/e2e.sh
source "$(dirname "$0")/../support/e2e.sh"
program_folder "$1" "$resources"
cp "$resources/Korv.ini" "$prog/Korv.ini"
mkdir -p "$prog/config" "$prog/cache" "$prog/data"

# The home is the root, so that the folder browser opens there whichever start folder it prefers;
# everything written for the user goes into the program folder.
launch() {
    start HOME=/ XDG_CONFIG_HOME="$prog/config" XDG_CACHE_HOME="$prog/cache" \
        XDG_DATA_HOME="$prog/data"
}
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }

# Window sizes in pixels at 96 dpi; places below are pixels inside the window, the panel's
# 8-pixel margin included.

# The "X" ends the program at once and writes nothing: the next start asks again.
launch
window 295 327 || fail "no language page"
click 20 285
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$pid" 2>/dev/null || fail "the X did not end the program"
wait "$pid" || true
pid=
cmp -s "$resources/Korv.ini" "$prog/Korv.ini" || fail "the X wrote to Korv.ini"

launch
window 295 327 || fail "no language page"
page=$win
# In the middle of the 1280 x 800 screen, to the pixel that twips allow.
[ $((X - 492)) -ge -1 ] && [ $((X - 492)) -le 1 ] && [ $((Y - 236)) -ge -1 ] &&
    [ $((Y - 236)) -le 1 ] || fail "the language page is at $X,$Y, not in the middle"
! shown 423 333 || fail "the main window shows on a first start"
win=$page
click 24 228   # the French flag, first on the left
click 236 292  # Continue >

window 297 322 || fail "no folder page"
click 48 212 # Choisir.. : the folder browser
window 315 253 || fail "no folder browser"
browser=$win
click 70 200 # into the folder list, which opens at the root
for part in $(tr / ' ' <<<"${prog#/}") fond; do
    xdotool type --delay 50 "$part"
    xdotool key Return
    sleep 0.7 # longer than the list's type-ahead
done
click 232 216 # OK
gone 315 253 || fail "the browser stayed open"
window 297 322 || fail "the folder page went away"
[ "$win" != "$browser" ] || fail "the browser is the folder page"
click 236 292 # Continue >>>

window 295 323 || fail "no settings page"
click 30 112 # Auto-change
click 170 170 # the delay list, then the next item: 5 seconds
xdotool key Down
sleep 0.3
click 170 225 # the display list, two items on: Mosaic
xdotool key Down Down
sleep 0.3
click 236 292 # Continue >>>

window 423 333 || fail "no main window after the assistant"
gone 295 323 || fail "the settings page stayed"
expected=$(printf '[OPTION]\nFolder=%s/fond/\nWallpaper=Null\nLang=FR\nAffichage=1\nAspect=1\nTime=Null\nDelay=5\n[Start]\nWin=0\nFirst=0\n' "$prog")
[ "$(cat "$prog/Korv.ini")" = "$expected" ] ||
    fail "Korv.ini holds $(cat "$prog/Korv.ini"), not $expected"
for _ in $(seq 1 100); do [ -n "$(root_pixmap)" ] && break; sleep 0.1; done
[ -n "$(root_pixmap)" ] || fail "no wallpaper from the chosen folder"
stop

launch
window 423 333 || fail "the second start shows no main window"
! shown 295 327 || fail "the second start shows the assistant again"
stop
echo "korvo end to end: the assistant's three pages on X11 ok"
