#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# gnome_shell.sh wallpaper|no-tray|tray KORVO RESOURCES: the real Korvo in a real GNOME Shell 43
# (scripts/lib/with-gnome; for tray with --appindicator).
#   wallpaper  the screen read back: a picture of four coloured quadrants set centred, tiled and
#              stretched, and the next picture after `korvo --next`;
#   no-tray    the windows are X11 windows on Xwayland (Qt's xcb platform); "Exit" hides the main
#              window with one notice however often it is pressed; the window manager's close
#              ends Korvo with status 0; with QT_QPA_PLATFORM=wayland the shell shows a native
#              Wayland window with Korvo's app id instead;
#   tray       the tray menu over dbusmenu: its labels and separators, and Hide, See, Options and
#              Quit doing their work; the window manager's close then only hides.
set -euo pipefail
mode=$1
# shellcheck source-path=SCRIPTDIR source=../support/e2e.sh
source "$(dirname "$0")/../support/e2e.sh"
program_folder "$2" "$3"
monitor=''
at_exit() { [ -z "$monitor" ] || kill "$monitor"; }

alive() { kill -0 "$pid" 2>/dev/null; }
ended() { ! alive; }
# finished HOW: Korvo ends within ten seconds, with status 0.
finished() {
    until_ok 100 ended || fail "Korvo still runs after $1"
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "$1 ended Korvo with status $status"
}
# Qt's Wayland plugin (Qt 6.4) leaves some of its protocol objects to the end of the process,
# which the leak checker of a sanitizer build would count against Korvo.
wayland_env=(QT_QPA_PLATFORM=wayland "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0")

# close_window WINDOW: asks the window manager to close the window (_NET_CLOSE_WINDOW), as its
# title bar's close button and Alt+F4 do; mutter then sends the window WM_DELETE_WINDOW.
close_window() {
    python3 - "$1" <<'EOF'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

display = x.XOpenDisplay(None)
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = int(sys.argv[1])
event.xclient.message_type = x.XInternAtom(display, b"_NET_CLOSE_WINDOW", 0)
event.xclient.format = 32
event.xclient.data[1] = 2  # from a pager or a taskbar: the user's own request
# SubstructureRedirectMask | SubstructureNotifyMask, as the window manager listens.
x.XSendEvent(display, x.XDefaultRootWindow(display), 0, (1 << 19) | (1 << 20), ctypes.byref(event))
x.XCloseDisplay(display)
EOF
}

# The shell's own list of its windows, one a line: client type (0 Wayland, 1 X11), class (a
# Wayland client's app id), width x height, title. The shell answers only the desktop portal; on this private bus the
# script takes that name. The shell leaves out windows kept off the taskbar (the X11 main window).
shell_windows() {
    gjs -c "
        const {Gio, GLib} = imports.gi;
        const bus = Gio.DBus.session;
        bus.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
            'RequestName', new GLib.Variant('(su)', ['org.freedesktop.impl.portal.desktop.gtk', 4]),
            null, 0, -1, null);
        const [windows] = bus.call_sync('org.gnome.Shell', '/org/gnome/Shell/Introspect',
            'org.gnome.Shell.Introspect', 'GetWindows', null, null, 0, -1, null).recursiveUnpack();
        for (const w of Object.values(windows))
            print(w['client-type'], w['wm-class'], w['width'] + 'x' + w['height'], w['title']);"
}

# The pictures: 320 x 200, four quadrants clockwise from the top left, turned TURN places round.
quadrant() { # QUADRANT TURN: its colour's name
    local names=(red green yellow blue)
    echo "${names[($1 + $2) % 4]}"
}
picture() { # FILE TURN
    local c=() q
    # ImageMagick's "green" is a dark one; its "lime" is the full green.
    for q in 0 1 2 3; do c+=("$(quadrant $q "$2" | sed s/green/lime/)"); done
    convert -size 160x100 "xc:${c[0]}" "xc:${c[1]}" +append \
        \( -size 160x100 "xc:${c[3]}" "xc:${c[2]}" +append \) -append "$1"
}

# Points of the 1280 x 800 screen away from the shell's top bar, its notices and the main window
# (top left): the quarters of a centred picture (clockwise from the top left, 80 x 50 pixels in
# from its middle), then the top right, bottom right and bottom left of the screen.
points=("560,350" "720,350" "720,450" "560,450" "1100,200" "1000,700" "200,700")
# The screen as the user sees it: the shell starts in its overview, which shows the wallpaper
# small, and it ignores the request to leave it while its start-up animation runs: each read asks.
read_screen() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.freedesktop.DBus.Properties.Set org.gnome.Shell OverviewActive '<false>' \
        >/dev/null 2>&1 || true
    gnome-screenshot -f "$prog/screen.png" 2>/dev/null
}
# The colours' names at the points: red, green, yellow, blue or other.
colours() {
    local format='' p
    for p in "${points[@]}"; do
        format+="%[fx:int(255*u.p{$p}.r)],%[fx:int(255*u.p{$p}.g)],%[fx:int(255*u.p{$p}.b)] "
    done
    convert "$prog/screen.png" -format "$format" info: | tr ' ' '\n' | awk -F, 'NF == 3 {
        hi1 = $1 > 200; hi2 = $2 > 200; hi3 = $3 > 200; lo1 = $1 < 60; lo2 = $2 < 60; lo3 = $3 < 60
        name = "other"
        if (hi1 && lo2 && lo3) name = "red"
        if (lo1 && hi2 && lo3) name = "green"
        if (hi1 && hi2 && lo3) name = "yellow"
        if (lo1 && lo2 && hi3) name = "blue"
        printf "%s%s", sep, name; sep = " " }'
}
# shows STYLE TURN: waits (ten seconds at most: the shell fades from the former wallpaper) until
# the screen shows the picture turned TURN places in that style (0 centred, 1 tiled, 2 stretched).
#   centred    the picture at its size in the middle, the background colour around it;
#   stretched  one picture over the screen: its quarters are the screen's;
#   tiled      the picture fills the screen, and not as one stretched copy. (GNOME Shell 43 here,
#              headless on a software renderer, draws the tile at the screen's size from an origin
#              of its own, so where each tile lies is not asked.)
shows() {
    local middle stretched want got=''
    middle="$(quadrant 0 "$2") $(quadrant 1 "$2") $(quadrant 2 "$2") $(quadrant 3 "$2")"
    stretched="$middle $(quadrant 1 "$2") $(quadrant 2 "$2") $(quadrant 3 "$2")"
    case $1 in 0) want="$middle other other other" ;; 1) want=tiled ;; 2) want=$stretched ;; esac
    for _ in $(seq 1 20); do
        sleep 0.3
        read_screen || continue
        got=$(colours)
        if [ "$want" = tiled ]; then
            [[ " $got " != *" other "* ]] && [ "$got" != "$stretched" ] && return 0
        else
            [ "$got" = "$want" ] && return 0
        fi
    done
    fail "style $1, picture turned $2: the screen shows [$got] where [$want] was expected"
}

wallpaper() {
    mkdir "$prog/pictures"
    picture "$prog/pictures/a.png" 0
    picture "$prog/pictures/b.png" 1
    local style
    for style in 0 1 2; do
        korv_ini "$prog/pictures/" 2 0 "$style" >"$prog/Korv.ini"
        start
        window 423 333 150 || fail "no main window"
        "$exe" --next || fail "korvo --next was refused"
        shows "$style" 0
        [ "$style" -eq 2 ] || stop
    done
    "$exe" --next || fail "korvo --next was refused"
    shows 2 1
    stop
}

no_tray() {
    korv_ini "$prog/fond/" 2 0 >"$prog/Korv.ini"
    # Korvo's calls to the notification service (the shell passes each on to its own service,
    # under another name, which the rule leaves out). The monitor's first lines say it listens.
    dbus-monitor --session \
        "type='method_call',destination='org.freedesktop.Notifications',member='Notify'" \
        >"$prog/notices" 2>&1 &
    monitor=$!
    until_ok 50 test -s "$prog/notices" || fail "dbus-monitor does not listen"
    start
    window 423 333 150 || fail "no main window on Xwayland"
    grep -q '/libqxcb\.so' "/proc/$pid/maps" || fail "Qt's xcb platform is not loaded"
    ! grep -q '/libqwayland' "/proc/$pid/maps" || fail "Qt's Wayland platform is loaded"

    # No tray to hide into: "Exit" tells where Korvo went the first time only.
    local round count
    for round in 1 2; do
        xdotool mousemove --window "$win" 328 316 click 1
        gone 423 333 || fail "\"Exit\" left the main window on the screen (round $round)"
        "$exe" --show || fail "korvo --show was refused"
        window 423 333 || fail "korvo --show brought no main window back (round $round)"
    done
    until_ok 50 grep -q '"Korvo is still running"' "$prog/notices" || fail "no notice after \"Exit\""
    sleep 0.5
    count=$(grep -c '"Korvo is still running"' "$prog/notices")
    [ "$count" -eq 1 ] || fail "$count notices after two hides"

    # With nothing to bring it back, the window manager's close ends Korvo.
    close_window "$win"
    finished "the window manager's close"

    # The user's choice of Qt's platform wins: a native Wayland window, none on Xwayland.
    start "${wayland_env[@]}"
    shown_natively() { shell_windows | grep -qx '0 io.github.korvo.Korvo 423x333 Korvo'; }
    until_ok 150 shown_natively || fail "no native Wayland main window: $(shell_windows)"
    [ -z "$(xdotool search --pid "$pid" 2>/dev/null)" ] || fail "Korvo has windows on Xwayland"
    grep -q '/libqwayland' "/proc/$pid/maps" || fail "Qt's Wayland platform is not loaded"
    "$exe" --quit || fail "korvo --quit was refused"
    finished "korvo --quit"
}

tray() {
    korv_ini "$prog/fond/" 2 0 >"$prog/Korv.ini"
    start
    window 423 333 150 || fail "no main window"
    local main=$win item=org.kde.StatusNotifierItem-$pid-1 layout entries
    listed() {
        gdbus call --session --dest org.kde.StatusNotifierWatcher \
            --object-path /StatusNotifierWatcher --method org.freedesktop.DBus.Properties.Get \
            org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems | grep -q "'${item}[/']"
    }
    menu() { gdbus call --session --dest "$item" --object-path /MenuBar \
        --method "com.canonical.dbusmenu.$1" -- "${@:2}"; }
    until_ok 100 listed || fail "the watcher does not list $item"

    # The entries in order, each as "ID LABEL" ("ID -" for a separator).
    layout=$(menu GetLayout 0 -1 '[]')
    entries=$(grep -oE "<\(([0-9]+), \{[^}]*\}" <<<"$layout" |
        sed -E "s/<\(([0-9]+), .*'label': <'([^']*)'>.*/\1 \2/; s/<\(([0-9]+), .*'separator'.*/\1 -/")
    [ "$(cut -d' ' -f2- <<<"$entries" | paste -sd'|')" = \
        "_See (Voir)|_Hide (cacher)|-|_Options|-|_About of...|-|_Quit" ] ||
        fail "the menu is not Korvo's: $layout"
    choose() { # LABEL
        menu Event "$(awk -v label="$1" '{ id = $1; $1 = "" } substr($0, 2) == label { print id }' \
            <<<"$entries")" clicked '<0>' 0 >/dev/null
    }

    choose "_Hide (cacher)"
    gone 423 333 || fail "\"Hide\" left the main window on the screen"
    choose "_See (Voir)"
    window 423 333 || fail "\"See\" did not show the main window"
    choose "_Options"
    named() { [ -n "$(xdotool search --onlyvisible --pid "$pid" --name '^Korvo Option$')" ]; }
    until_ok 50 named || fail "\"Options\" showed no options dialog on Xwayland"

    # The icon is the way back: the window manager's close only hides the main window.
    close_window "$main"
    gone 423 333 || fail "the window manager's close left the main window on the screen"
    sleep 0.5
    alive || fail "the window manager's close ended Korvo although it has a tray icon"

    choose "_Quit"
    finished '"Quit"'
    unlisted() { ! listed; }
    until_ok 50 unlisted || fail "the watcher still lists $item"
}

case $mode in
    wallpaper) wallpaper ;;
    no-tray) no_tray ;;
    tray) tray ;;
    *) fail "no mode $mode" ;;
esac
echo "korvo in GNOME Shell ($mode): ok"
