#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# korvo_end_to_end.sh KORVO_EXE RESOURCES [SCREENSHOTS]: Korvo.exe under Wine, started from a
# program folder of its own on an X server with a tray host. On a fresh folder it shows the
# assistant's first page and its icon in the tray. Set up, it shows its main window listing the
# sample folder; the apply button sets the picture picked in the list as wallpaper through
# SystemParametersInfoW (read back from the registry it saves to); the title strip drags the
# window; the options button opens the options dialog; a second start hands over to it, and
# --next, --version and --quit answer as on Linux; in automatic mode the wallpaper changes once
# per delay; the tray menu's "&Quit" ends it. With SCREENSHOTS, the assistant's page, the
# main window and the options dialog are saved there as Wine drew them. Prints the start-to-window time and the idle memory.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$here/../../../scripts/lib/with-xvfb" --tray "$0" "$@"
fi
resources=$2 shots=${3:-}
# shellcheck source-path=SCRIPTDIR source=../../support/e2e.sh
source "$here/../../support/e2e.sh"
own_prefix=
if [ -z "${WINEPREFIX:-}" ]; then
    own_prefix=$(mktemp -d -t korvo-wine.XXXXXX)
    export WINEPREFIX=$own_prefix
    wineboot -i >/dev/null 2>&1 || true
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
at_exit() {
    if [ -n "$own_prefix" ]; then wineserver -k 2>/dev/null || true; rm -rf "$own_prefix"; fi
}
program_folder "$1" "$resources"
launcher=(wine)
# The icon in the tray host is a window of Wine's desktop process, not of Korvo.exe.
tray_pattern=explorer.exe

winfolder="Z:${prog//\//\\}\\fond\\"
settings() { korv_ini "$winfolder" "$@" | sed 's/$/\r/' >"$prog/Korv.ini"; } # mode delay, CRLF
open_window() { # width height of the first window, 423 x 333 (6345 x 4995 twips) unless given
    local t0 width=${1:-423} height=${2:-333}
    t0=$(date +%s%N)
    start
    window "$width" "$height" 150 || fail "no ${width}x$height window appeared"
    echo "start to window: $((($(date +%s%N) - t0) / 1000000)) ms"
}
wallpaper() { # the value SystemParametersInfoW saved
    wine reg query 'HKCU\Control Panel\Desktop' /v Wallpaper 2>/dev/null | tr -d '\r' |
        sed -n 's/.*REG_SZ[[:space:]]*//p'
}
no_tray_icon() { ! tray_icon >/dev/null; }

# A fresh folder, with the settings file as it is laid down: the assistant's first page, a
# borderless 4425 x 4905 twips window.
cp "$resources/Korv.ini" "$prog/Korv.ini"
tray_icon && fail "an icon was in the tray before Korvo started"
open_window 295 327
until_ok 50 tray_icon || fail "no tray icon in the tray host"
if [ -n "$shots" ]; then mkdir -p "$shots" && sleep 0.5 && import -window "$win" "$shots/Fassist1.png"; fi
stop

# Manual mode: the main window; pick the first file and press the apply button.
settings 2 0
open_window
before=$(wallpaper)
[[ "$before" != *dawn.png ]] || fail "the wallpaper was dawn.png before anything was applied"
xdotool mousemove --window "$win" 20 134 click 1 # the list's first entry, dawn.png
sleep 0.3
if [ -n "$shots" ]; then mkdir -p "$shots" && import -window "$win" "$shots/Form1.png"; fi
xdotool mousemove --window "$win" 184 316 click 1 # the apply button
for _ in $(seq 1 50); do [[ "$(wallpaper)" == *dawn.png ]] && break; sleep 0.2; done
[[ "$(wallpaper)" == *dawn.png ]] || fail "the apply button did not set dawn.png: '$(wallpaper)'"
style=$(wine reg query 'HKCU\Control Panel\Desktop' /v WallpaperStyle 2>/dev/null | tr -d '\r')
[[ "$style" == *REG_SZ*0 ]] || fail "the apply button did not centre the picture: $style"

# The title strip drags the borderless window along (ReleaseCapture, then WM_NCLBUTTONDOWN).
eval "$(xdotool getwindowgeometry --shell "$win")"
x0=$X y0=$Y
xdotool mousemove --window "$win" 300 12 mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove --window "$win" $((300 + 12 * step)) $((12 + 8 * step)); sleep 0.1; done
xdotool mouseup 1
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$X" -gt "$x0" ] && [ "$Y" -gt "$y0" ] || fail "dragging the title strip did not move the window ($x0,$y0 -> $X,$Y)"

# The options button opens the options dialog: 7365 x 5400 twips of client area in a frame.
xdotool mousemove --window "$win" 257 316 click 1
options=
for _ in $(seq 1 100); do
    for w in $(xdotool search --onlyvisible --name 'option' 2>/dev/null || true); do
        [ "$w" != "$win" ] && options=$w
    done
    [ -n "$options" ] && break
    sleep 0.05
done
[ -n "$options" ] || fail "the options button opened no options dialog"
if [ -n "$shots" ]; then sleep 0.5 && import -frame -window "$options" "$shots/Foption.png"; fi
sleep 2
rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo "?")
echo "idle memory: ${rss} kB resident"
stop

# One Korvo.exe per session. A second start hands over and ends at once, and the running one's
# hidden main window comes back in front; --next applies the next picture; --version prints; a
# crash leaves nothing that stops the next start; --quit ends the running one with status 0.
settings 2 0
open_window
xdotool mousemove --window "$win" 328 316 click 1 # the exit button hides the window
gone 423 333 || fail "the exit button did not hide the main window"
t0=$(date +%s%N)
status=0
timeout 20 wine "$prog/Korvo.exe" >>"$prog/log" 2>&1 || status=$?
took=$((($(date +%s%N) - t0) / 1000000))
[ "$status" -eq 0 ] || fail "the second start ended with status $status"
[ "$took" -lt 1000 ] || fail "the second start took $took ms to hand over and end"
echo "second start handed over and ended in $took ms"
window 423 333 50 || fail "the second start did not bring the main window back"
[ "$(xdotool getactivewindow)" = "$win" ] || fail "the main window came back behind another"
wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d '' /f >/dev/null 2>&1
wine "$prog/Korvo.exe" --next || fail "--next ended with status $?"
for _ in $(seq 1 50); do [[ "$(wallpaper)" == *.png ]] && break; sleep 0.1; done
[[ "$(wallpaper)" == *.png ]] || fail "--next set no wallpaper: '$(wallpaper)'"
version=$(wine "$prog/Korvo.exe" --version 2>&1) || fail "--version ended with status $?"
version=${version%$'\r'} # the line ends as Windows ends lines
[[ "$version" =~ ^korvo\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$version'"
# Started with no stream to print to (as from the desktop, with no console): it still answers.
wine "$prog/Korvo.exe" --version >&- 2>&- || fail "--version with nowhere to print ended with status $?"
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
open_window
wine "$prog/Korvo.exe" --quit || fail "--quit ended with status $?"
status=0
timeout 10 tail --pid="$pid" -f /dev/null || fail "--quit did not end the running Korvo"
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "Korvo ended with status $status after --quit"
status=0
message=$(wine "$prog/Korvo.exe" --show 2>&1) || status=$?
[ "$status" -eq 1 ] && [[ "$message" == *"not running"* ]] ||
    fail "--show with none running ended with status $status: $message"

# Automatic mode, two seconds: a new picture every two seconds.
settings 1 2
open_window
seen=() last=$(wallpaper)
for _ in $(seq 1 40); do
    now=$(wallpaper)
    if [ "$now" != "$last" ]; then seen+=("$now"); last=$now; fi
    [ ${#seen[@]} -ge 2 ] && break
    sleep 0.25
done
[ ${#seen[@]} -ge 2 ] || fail "automatic mode changed the wallpaper ${#seen[@]} times in 10 s"

# A right click on the tray icon opens the tray menu; its "&Quit" ends Korvo with status 0 and
# takes the icon away.
icon=$(tray_icon) || fail "no tray icon to click"
xdotool mousemove --window "$icon" 5 5 click 3
sleep 1
xdotool key q
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the tray menu's Quit did not end Korvo"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "Korvo ended with status $status after Quit"
until_ok 30 no_tray_icon || fail "the tray icon stayed after Quit"
echo "Korvo.exe end to end under Wine: assistant, window, tray icon, apply, drag, options, one instance and its command line, automatic changes and the tray menu's Quit ok"
