#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# tray_menu_x11.sh KORVO RESOURCES: Korvo in openbox with trayer. The tray icon's menu hides and
# brings back the main window where the user left it, opens the options dialog and the about box,
# each first placed by the window manager; the window manager's close hides the main window and
# keeps the icon; "&Quit" and SIGTERM end Korvo with status 0, the icon gone and the settings file
# untouched.
set -euo pipefail
KILL_SIGNAL=KILL
# shellcheck source-path=SCRIPTDIR source=../support/e2e.sh
source "$(dirname "$0")/../support/e2e.sh"
program_folder "$1" "$2"
# The log-on entry stays in this folder, whatever the setting says.
export XDG_CONFIG_HOME=$prog/config

alive() { kill -0 "$pid" 2>/dev/null; }
ended() { ! alive; }
visible() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; }
named() { xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1; }
has_window() { [ -n "$(named "$1")" ]; }
# The window manager places a new window where its user expects it: the program names no place.
placed_by_wm() { # window
    ! xprop -id "$1" WM_NORMAL_HINTS | grep -q 'specified location' ||
        fail "$(xdotool getwindowname "$1") asks for a place: $(xprop -id "$1" WM_NORMAL_HINTS)"
}

open_main() {
    korv_ini "$prog/fond/" 2 0 >"$prog/Korv.ini"
    cp "$prog/Korv.ini" "$prog/Korv.ini.before"
    start
    window 423 333 150 || fail "no main window"
    until_ok 100 tray_icon || fail "no tray icon in the tray host"
    [ "$(xdotool getwindowname "$win")" = Korvo ] || fail "the main window is not titled Korvo"
    placed_by_wm "$win"
}
# Clicks the tray icon with the given button and picks an item by its access key.
pick() { # button key
    local icon before
    icon=$(tray_icon)
    before=$(visible | wc -l)
    eval "$(xdotool getwindowgeometry --shell "$icon")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click "$1"
    more() { [ "$(visible | wc -l)" -gt "$before" ]; }
    until_ok 50 more || fail "no menu after a click with button $1"
    sleep 0.2
    xdotool key "$2"
}
finished() { # how
    until_ok 100 ended || fail "Korvo still runs after $1"
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "$1 ended Korvo with status $status"
    ! tray_icon >/dev/null || fail "the icon stayed after $1"
    cmp -s "$prog/Korv.ini" "$prog/Korv.ini.before" || fail "$1 wrote the settings file"
}

open_main
# Pressed and held, the icon opens nothing; the release opens the menu.
icon=$(tray_icon)
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) mousedown 1
windows=$(visible | wc -l)
sleep 0.5
[ "$(visible | wc -l)" -eq "$windows" ] || fail "a menu opened on the press"
xdotool mouseup 1
more() { [ "$(visible | wc -l)" -gt "$windows" ]; }
until_ok 50 more || fail "no menu after the release"
xdotool key Escape
until_ok 50 bash -c "[ \$(xdotool search --onlyvisible --pid $pid | wc -l) -eq $windows ]" ||
    fail "Escape left the menu open"

# Moved by the user, hidden and brought back, the main window is where the user left it.
xdotool windowmove "$win" 300 200
sleep 0.3
pick 1 h
gone 423 333 || fail "\"&Hide (cacher)\" left the main window"
pick 3 s
window 423 333 50 || fail "\"&See (Voir)\" did not bring the main window back"
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$X,$Y" = 300,200 ] || fail "the main window came back at $X,$Y, not where the user left it"

pick 1 o
three() { [ "$(visible | wc -l)" -ge 3 ]; }  # the icon, the main window and the dialog
until_ok 50 three || fail "\"&Options\" showed no dialog"
placed_by_wm "$(named "Korvo Option")"

pick 1 a
until_ok 50 has_window "About of Korvo" || fail "\"&About of...\" showed no about box"
about=$(named "About of Korvo")
placed_by_wm "$about"
eval "$(xdotool getwindowgeometry --shell "$about")"
[ "$WIDTH" -eq 314 ] && [ "$HEIGHT" -eq 340 ] || fail "the about box is ${WIDTH}x${HEIGHT}"
sleep 0.3
import -window "$about" "$prog/about.png"
stripe=$(convert "$prog/about.png" -format '%[fx:int(255*u.p{150,128}.r)],%[fx:int(255*u.p{150,128}.g)],%[fx:int(255*u.p{150,128}.b)]' info:)
[ "$stripe" = "192,255,255" ] || fail "the light cyan stripe is $stripe"
# The credits and the address: dark text on white below the stripe.
for band in 152x97+0+152 300x25+0+272 300x17+0+312; do
    dark=$(convert "$prog/about.png" -crop "$band" -threshold 50% -negate -format '%[fx:int(mean*w*h)]' info:)
    [ "$dark" -gt 20 ] || fail "no text in the about box at $band"
done

# The window manager's close on the main window hides it; the icon and the program stay.
shown 423 333 || fail "the main window went before Alt+F4"
xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4
gone 423 333 || fail "Alt+F4 left the main window on the screen"
sleep 0.5
alive || fail "Alt+F4 ended Korvo"
tray_icon >/dev/null || fail "Alt+F4 took the tray icon away"

pick 1 q
finished '"&Quit"'

open_main
kill -TERM "$pid"
finished SIGTERM
echo "korvo tray menu end to end on X11: ok"
