#!/usr/bin/env bash
# tray_menu_x11.sh KORVO RESOURCES: Korvo in openbox with trayer. The tray icon's menu hides and
# brings back the main window where the user left it, opens the options dialog and the about box,
# each first placed by the window manager; the window manager's close hides the main window and
# keeps the icon; "&Quit" and SIGTERM end Korvo with status 0, the icon gone and the settings file
# untouched.
set -euo pipefail
korvo=$1 resources=$2
KILL_SIGNAL=-KILL
source "$(dirname "$0")/program_folder.sh"
# The log-on entry stays in this folder, whatever the setting says.
export XDG_CONFIG_HOME=$prog/config

fail() {
    echo "FAIL: $*" >&2
    echo "--- program output" >&2; cat "$prog/log" >&2
    echo "--- windows" >&2; xwininfo -root -tree 2>/dev/null | grep -v 'has no name' | head -40 >&2
    exit 1
}
until_ok() { local n=$1; shift; for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done; return 1; }
alive() { kill -0 "$pid" 2>/dev/null; }
ended() { ! alive; }
visible() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; }
# The visible window of the given size, if any.
sized() {
    local w
    for w in $(visible); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" -eq "$1" ] && [ "$HEIGHT" -eq "$2" ] && echo "$w" && return 0
    done
    return 1
}
main_shown() { sized 423 333 >/dev/null; }
main_hidden() { ! main_shown; }
named() { xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -1; }
has_window() { [ -n "$(named "$1")" ]; }
in_tray() { # the program's window among the tray host's descendants
    local w tree panel
    panel=$(xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {print $1; exit}')
    [ -n "$panel" ] || return 1
    tree=$(xwininfo -tree -id "$panel")
    for w in $(visible); do grep -q "$(printf '0x%x' "$w")" <<<"$tree" && echo "$w" && return 0; done
    return 1
}
icon_in_tray() { in_tray >/dev/null; }
# The window manager places a new window where its user expects it: the program names no place.
placed_by_wm() { # window
    ! xprop -id "$1" WM_NORMAL_HINTS | grep -q 'specified location' ||
        fail "$(xdotool getwindowname "$1") asks for a place: $(xprop -id "$1" WM_NORMAL_HINTS)"
}

start() {
    printf '[OPTION]\nFolder=%s/fond/\nWallpaper=Null\nLang=EN\nAffichage=2\nAspect=2\nTime=Null\nDelay=0\n[Start]\nWin=0\nFirst=0\n' \
        "$prog" >"$prog/Korv.ini"
    cp "$prog/Korv.ini" "$prog/Korv.ini.before"
    "$prog/korvo" >"$prog/log" 2>&1 &
    pid=$!
    until_ok 150 main_shown || fail "no main window"
    until_ok 100 icon_in_tray || fail "no tray icon in the tray host"
    [ "$(xdotool getwindowname "$(sized 423 333)")" = Korvo ] || fail "the main window is not titled Korvo"
    placed_by_wm "$(sized 423 333)"
}
# Clicks the tray icon with the given button and picks an item by its access key.
pick() { # button key
    local icon before
    icon=$(in_tray)
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
    ! icon_in_tray 2>/dev/null || fail "the icon stayed after $1"
    cmp -s "$prog/Korv.ini" "$prog/Korv.ini.before" || fail "$1 wrote the settings file"
}

start
# Pressed and held, the icon opens nothing; the release opens the menu.
icon=$(in_tray)
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
xdotool windowmove "$(sized 423 333)" 300 200
sleep 0.3
pick 1 h
until_ok 50 main_hidden || fail "\"&Hide (cacher)\" left the main window"
pick 3 s
until_ok 50 main_shown || fail "\"&See (Voir)\" did not bring the main window back"
eval "$(xdotool getwindowgeometry --shell "$(sized 423 333)")"
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
xdotool windowactivate --sync "$(sized 423 333)" key --clearmodifiers alt+F4
until_ok 50 main_hidden || fail "Alt+F4 left the main window on the screen"
sleep 0.5
alive || fail "Alt+F4 ended Korvo"
icon_in_tray || fail "Alt+F4 took the tray icon away"

pick 1 q
finished '"&Quit"'

start
kill -TERM "$pid"
finished SIGTERM
echo "korvo tray menu end to end on X11: ok"
