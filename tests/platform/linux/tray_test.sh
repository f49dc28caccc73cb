#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# tray_test.sh xembed|sni|none PROBE: the tray icon of PROBE (tray_probe.cpp) with a real host.
#   xembed  in trayer's XEmbed tray (with-xvfb --tray): docking, drawing, presses and releases,
#           trayer ending and coming back, the icon removed from inside its own report;
#   sni     in GNOME Shell with the appindicator extension (with-gnome --appindicator): the
#           watcher lists the item, the top bar draws its pixels, the menu over dbusmenu, clicks,
#           the host going and coming back, a notice, the icon removed from inside a report;
#   none    in GNOME Shell without the extension: no host shows it, a notice still shows.
set -euo pipefail
mode=$1 probe=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../support/e2e.sh
source "$here/../../support/e2e.sh"
work=$(mktemp -d -t korvo-tray.XXXXXX)
probe_pid='' helpers=() probes=0
# start_probe [VARIABLE=VALUE...]: a new probe, its input on descriptor 3, its reports in $log.
start_probe() {
    log=$work/probe$((probes += 1)).log
    rm -f "$work/input"
    mkfifo "$work/input"
    env "$@" "$probe" <"$work/input" >"$log" 2>"$work/probe.err" &
    probe_pid=$!
    exec 3>"$work/input"
    seen=0
}
# end_probe: its input ends; it must end cleanly (the sanitizers find nothing).
end_probe() {
    exec 3>&- || true
    wait "$probe_pid" || { echo "FAIL: the probe ended with $?" >&2; cat "$work/probe.err" >&2; return 1; }
}
finish() {
    local status=$?
    end_probe || status=1
    for p in "${helpers[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
    exit $status
}
trap finish EXIT
start_probe

fail() {
    echo "FAIL: $*" >&2
    echo "--- the probe reported:" >&2
    cat "$log" >&2
    exit 1
}
say() { echo "$*" >&3; }
# expect LINE...: the probe's next reports are exactly these (a host asking for the menu,
# "wanted", may come between them at any time and is left out).
expect() {
    local want got
    want=$(printf '%s\n' "$@")
    for _ in $(seq 1 100); do
        got=$(tail -n +$((seen + 1)) "$log" | grep -vx wanted || true)
        [ "$(wc -l <<<"$got")" -ge $# ] && [ -n "$got" ] && break
        sleep 0.1
    done
    [ "$got" = "$want" ] || fail "expected [$(echo $want)], got [$(echo $got)]"
    seen=$(wc -l <"$log")
}
# settle LINE: the reports end with this one (what came before it is not checked).
settle() {
    for _ in $(seq 1 100); do
        [ "$(grep -vx wanted "$log" | tail -n 1)" = "$1" ] && seen=$(wc -l <"$log") && return
        sleep 0.1
    done
    fail "the last report is not [$1]"
}
state() { say state; expect "state $1"; }
state_becomes() {  # WANT: asks until the state is this one
    local count
    for _ in $(seq 1 50); do
        count=$(grep -c '^state' "$log" || true)
        say state
        until_true 20 eval '[ "$(grep -c "^state" "$log")" -gt "$count" ]'
        [ "$(grep '^state' "$log" | tail -n 1)" = "state $1" ] && seen=$(wc -l <"$log") && return
        sleep 0.1
    done
    fail "the state did not become $1"
}
nothing_more() {  # WHY: no report within half a second
    sleep 0.5
    local got
    got=$(tail -n +$((seen + 1)) "$log" | grep -vx wanted || true)
    [ -z "$got" ] || fail "$1: [$got]"
}
until_true() {  # TIMES COMMAND...: polls every 0.1 s
    local times=$1
    shift
    for _ in $(seq 1 "$times"); do "$@" && return 0; sleep 0.1; done
    return 1
}

# Drawn: the colour of the probe's square in the middle of the window, and not in its corner
# (the icon's transparent border shows the tray there).
geometry() {  # WINDOW: its place on the screen and its size, as X Y WIDTH HEIGHT
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}
colour_at() { import -window "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}'; }

xembed() {
    until_true 50 tray_icon >/dev/null || fail "no icon in trayer's panel"
    # trayer may take the tray's selection only after the probe started: "host 1" then.
    state_becomes "shown=1 menu=0"
    sleep 0.3
    seen=$(wc -l <"$log")
    ! grep -q libQt "/proc/$probe_pid/maps" || fail "the probe loaded Qt"
    local icon x y w h
    icon=$(tray_icon)
    # trayer may still be sizing the icon, and the icon draws at its next expose: both in their
    # own time on a busy machine.
    drawn() {
        read -r x y w h < <(geometry "$icon")
        [ "$(colour_at "$icon" $((w / 2)) $((h / 2)))" = "#E8108C" ]
    }
    until_true 50 drawn || fail "the icon is not drawn"
    [ "$(colour_at "$icon" 0 0)" != "#E8108C" ] || fail "the transparent border is drawn"

    # A press alone is reported before its release; the second press of a double click is the
    # double click; the middle button too.
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) mousedown 3
    expect "mouse 516"
    xdotool mouseup 3
    expect "mouse 517"
    xdotool click 2
    expect "mouse 519" "mouse 520"
    xdotool click --repeat 2 --delay 100 1
    expect "mouse 513" "mouse 514" "mouse 515" "mouse 514"

    say tip Korvo tip
    until_true 20 eval "xprop -id $icon WM_NAME | grep -q 'Korvo tip'" || fail "the tip is not the name"

    # trayer ends: the icon window goes with it, not left on the root window by its save-set.
    local panel tray
    panel=$(xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {print $1}')
    tray=$(xprop -id "$panel" _NET_WM_PID | awk '{print $3}')
    kill "$tray"
    expect "host 0"
    state "shown=0 menu=0"
    no_icon_window || fail "the icon window outlived the tray"

    # A tray again: docked in it, and its clicks reach the probe.
    trayer --edge bottom --align right --widthtype pixel --width 200 --height 32 \
        --transparent false --expand false >/dev/null 2>&1 &
    helpers+=($!)
    expect "host 1"
    until_true 50 tray_icon >/dev/null || fail "not docked in the new tray"
    icon=$(tray_icon)
    state "shown=1 menu=0"
    until_true 50 eval "xwininfo -id $icon | grep -q IsViewable" || fail "the new icon is not shown"
    read -r x y w h < <(geometry "$icon")

    # The program removes the icon while handling the press (as quitting does): the release that
    # follows is never reported.
    say drop-on-mouse
    state "shown=1 menu=0"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) mousedown 1 mouseup 1
    expect "mouse 513"
    nothing_more "reported after the icon went"
    until_true 20 no_icon_window || fail "the icon stayed"
    state gone
}
no_icon_window() { ! xwininfo -root -tree | grep -qi '"korvo"'; }

watcher() {  # PROPERTY: the watcher's property as gdbus prints it
    gdbus call --session --dest org.kde.StatusNotifierWatcher --object-path /StatusNotifierWatcher \
        --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher "$1"
}
listed() { watcher RegisteredStatusNotifierItems | grep -q "$item"; }
menu() {  # METHOD ARGS...: a dbusmenu call on the probe's menu, as the host makes it
    local method=$1
    shift
    gdbus call --session --dest "$item" --object-path /MenuBar \
        --method "com.canonical.dbusmenu.$method" -- "$@"
}
# How many pixels of about the probe's colour the top bar of the screen shows (the shell draws
# it a little darker).
top_bar_pixels() {
    gnome-screenshot -f "$work/screen.png" 2>/dev/null || { echo 0; return; }
    convert "$work/screen.png" -crop 1280x40+0+0 -depth 8 txt:- | awk -F'[(,)]' '
        NR > 1 && $3 >= 200 && $4 <= 48 && $5 >= 110 && $5 <= 160 { n++ } END { print n + 0 }'
}

sni() {
    item=org.kde.StatusNotifierItem-$probe_pid-1
    state "shown=1 menu=1"
    until_true 100 listed || fail "the watcher does not list $item"
    # The extension has read the icon and draws it (a square of 10 x 10 or more).
    until_true 50 eval '[ "$(top_bar_pixels)" -ge 100 ]' || fail "the top bar shows no icon"

    # The host asks for the layout; the probe sets the menu then, and the host gets it.
    seen=$(wc -l <"$log")
    local layout
    layout=$(menu GetLayout 0 -1 '[]')
    grep -qx wanted < <(tail -n +$((seen + 1)) "$log") || fail "no menuWanted before the layout"
    for label in "'_See (Voir)'" "'_Hide (cacher)'" "'_Options'" "'_About of...'" \
        "'Save & go__on'" "'_Quit'"; do
        grep -qF "<$label>" <<<"$layout" || fail "no $label in $layout"
    done
    [ "$(grep -o "'separator'" <<<"$layout" | wc -l)" -eq 3 ] || fail "not three separators: $layout"
    grep -qF "'enabled': <false>" <<<"$layout" || fail "the disabled entry is enabled: $layout"
    menu AboutToShow 0 | grep -q false || fail "the unchanged menu needs an update"

    # A chosen entry reaches the program with its own id; a disabled one and a separator do not.
    menu Event 1 clicked '<0>' 0 >/dev/null
    expect "chosen 101"
    menu Event 8 clicked '<0>' 0 >/dev/null
    menu Event 3 clicked '<0>' 0 >/dev/null
    nothing_more "a disabled entry or a separator was chosen"
    menu Event 42 clicked '<0>' 0 >/dev/null 2>&1 && fail "an entry that is not there was taken"

    # Clicks on the item, each as its button's release.
    local method
    for method in Activate ContextMenu SecondaryActivate; do
        gdbus call --session --dest "$item" --object-path /StatusNotifierItem \
            --method "org.kde.StatusNotifierItem.$method" 0 0 >/dev/null
    done
    expect "mouse 514" "mouse 517" "mouse 520"

    say notice
    expect "notice 1"

    # The host goes with the extension and comes back with it: the item is registered again.
    # (The extension's XEmbed tray may outlive its watcher for a moment, and take the icon.)
    gnome-extensions disable ubuntu-appindicators@ubuntu.com
    settle "host 0"
    state "shown=0 menu=0"
    gnome-extensions enable ubuntu-appindicators@ubuntu.com
    state_becomes "shown=1 menu=1"
    no_icon_window || fail "the icon stayed in the XEmbed tray"
    until_true 100 listed || fail "the item is not registered again"

    # Two entries chosen in one call; the program removes the icon while handling the first.
    say drop-on-choose
    state "shown=1 menu=1"
    menu EventGroup "[(2, 'clicked', <0>, uint32 0), (4, 'clicked', <0>, uint32 0)]" >/dev/null
    expect "chosen 102"
    nothing_more "reported after the icon went"
    until_true 50 eval '! listed' || fail "the watcher still lists the item"
    state gone
    end_probe

    # Without the bus, the icon goes to the extension's XEmbed tray, which offers an ARGB visual.
    start_probe DBUS_SESSION_BUS_ADDRESS=disabled:
    state_becomes "shown=1 menu=0"
    xwininfo -id "$(xwininfo -root -tree | awk '/"korvo"/ {print $1; exit}')" | grep -q 'Depth: 32' ||
        fail "the icon window is not of the tray's ARGB visual"
    until_true 50 eval '[ "$(top_bar_pixels)" -ge 100 ]' || fail "the XEmbed icon is not drawn"
}

none() {
    state "shown=0 menu=0"
    nothing_more "a host without the extension"
    say notice
    expect "notice 1"
}

"$mode"
say quit
echo "tray $mode: passed"
