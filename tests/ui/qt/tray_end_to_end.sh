#!/usr/bin/env bash
# tray_end_to_end.sh PROGRAM: run inside scripts/with-session --bus and scripts/with-xvfb --tray.
# Starts the tray program, finds its icon in the tray host, and drives it with xdotool: a press
# alone opens nothing, the release opens the menu; a right click reaches the form as message 517
# and opens the menu; "&Quit" ends the program with status 0.
set -uo pipefail
program=$1
name=$(basename "$program")
log=$(mktemp)
pid=
fail() {
    echo "FAIL: $*"
    echo "--- program output"; cat "$log"
    echo "--- windows"; xwininfo -root -tree 2>/dev/null | grep -v 'has no name' | head -40
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -f "$log"
    exit 1
}
# Waits up to $1 tenths of a second for the command after it to succeed.
until_ok() { local n=$1; shift; for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done; return 1; }
logged() { grep -qx "$1" "$log"; }
visible() { xdotool search --onlyvisible --classname "$name" 2>/dev/null; }
# One visible window is the icon alone; two, the icon and its menu.
shown() { [ "$(visible | wc -l)" -eq "$1" ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }

"$program" >"$log" 2>&1 &
pid=$!
until_ok 300 logged ready || fail "the program did not start"

# The icon is embedded in the tray host: the one visible window of the program, inside trayer.
until_ok 200 shown 1 || fail "no tray icon appeared"
icon=$(visible)
# Mapped first, then taken in by the tray host: give it the time to move.
in_tray() { xwininfo -root -tree | grep -A200 '"panel": ("panel" "trayer")' | grep -q "$1"; }
until_ok 100 in_tray "$(printf '0x%x' "$icon")" || fail "the icon window is not inside the tray host"
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.3

# Pressing and holding does nothing; the release opens the menu.
xdotool mousedown 1
until_ok 100 logged "mouse-move 513" || fail "the press did not reach the form"
sleep 0.5
shown 1 || fail "a menu opened on the press"
xdotool mouseup 1
until_ok 100 logged "mouse-move 514" || fail "the left release did not reach the form as 514"
until_ok 100 shown 2 || fail "no menu after the left release"
xdotool key Escape
until_ok 100 logged "menu closed" || fail "the menu did not close"

# A right click: message 517, and the menu the handler opens is on the screen.
xdotool click 3
until_ok 100 logged "mouse-move 517" || fail "the right click did not reach the form as 517"
until_ok 100 shown 2 || fail "no menu after the right click"
menu=$(visible | grep -vx "$icon")
eval "$(xdotool getwindowgeometry --shell "$menu")"
[ "$WIDTH" -gt 40 ] && [ "$HEIGHT" -gt 60 ] || fail "the menu is ${WIDTH}x${HEIGHT}"
echo "menu window $menu: ${WIDTH}x${HEIGHT} at $X,$Y"

# "&Quit" is the last item: click it.
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 10))
sleep 0.2
xdotool click 1
until_ok 200 ended || fail "the program did not end"
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
logged quit || fail "Quit did not run"
[ "$(grep -c 'menu closed' "$log")" -eq 1 ] || fail "the handler went on after the program ended"
echo "--- program output"; cat "$log"
rm -f "$log"
echo "tray end to end: passed"
