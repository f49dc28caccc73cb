# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# The end-to-end scripts' shared plumbing: Korvo in a program folder of its own, started and ended
# by process id, its settings file, its windows and its tray icon as an X client sees them.
# Sourced (by tests/**/*.sh and the figure scripts in bench/); it defines functions and runs
# nothing. The scripts keep their state in these globals:
#   prog      the program folder (program_folder), removed at the end
#   exe       the executable in it; launcher  what runs it (empty, or (wine))
#   pid       the running Korvo (start), ended at the end with $KILL_SIGNAL (default TERM)
#   win       the window shown or window found last, X Y WIDTH HEIGHT its geometry
#   tray_pattern  what marks Korvo's icon in the tray host (default korvo; under Wine the icon
#             belongs to Wine's explorer.exe)
# A script that needs more at its end defines at_exit.

prog='' exe='' pid='' win=''
launcher=()
tray_pattern=korvo

# program_folder KORVO [RESOURCES]: a fresh folder holding a copy of the executable KORVO under
# its own name (and the window toolkit's module beside it, korvo-qt.so, when there is one) and,
# with RESOURCES, the sample pictures (RESOURCES/fond), as the program is laid down; Korvo finds
# its settings, pictures and windows beside itself. Everything goes at the end.
program_folder() {
    prog=$(mktemp -d -t korvo-e2e.XXXXXX)
    trap e2e_cleanup EXIT
    exe=$prog/$(basename "$1")
    cp "$1" "$exe"
    [ ! -f "$(dirname "$1")/korvo-qt.so" ] || cp "$(dirname "$1")/korvo-qt.so" "$prog/"
    [ -z "${2:-}" ] || cp -r "$2/fond" "$prog/fond"
}

# At the end, whatever the status: nothing here may stop the removals that follow it.
e2e_cleanup() {
    if [ -n "$pid" ]; then
        kill "-${KILL_SIGNAL:-TERM}" "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    fi
    if declare -F at_exit >/dev/null; then at_exit || true; fi
    [ -z "$prog" ] || rm -rf "$prog"
}

# fail MESSAGE: says what went wrong, with Korvo's output and the named windows, and ends the test.
fail() {
    echo "FAIL: $*" >&2
    [ -n "$prog" ] || exit 1
    if [ -s "$prog/log" ]; then
        echo "--- Korvo's output" >&2
        tail -n 50 "$prog/log" >&2
    fi
    if [ -n "${DISPLAY:-}" ]; then
        echo "--- windows" >&2
        xwininfo -root -tree 2>/dev/null | grep -v 'has no name' | head -40 >&2 || true
    fi
    exit 1
}

# korv_ini FOLDER MODE DELAY [ASPECT]: the text of a settings file past the first start (so no
# assistant), in English: pictures from FOLDER, change mode MODE ("Affichage": 1 automatic,
# 2 manual) every DELAY seconds, "Aspect" ASPECT (default 2). Lines end in LF.
korv_ini() {
    printf '%s\n' "[OPTION]" "Folder=$1" "Wallpaper=Null" "Lang=EN" "Affichage=$2" \
        "Aspect=${4:-2}" "Time=Null" "Delay=$3" "[Start]" "Win=0" "First=0"
}

# start [NAME=VALUE...]: starts the program folder's Korvo in the background with those variables
# added to its environment, its output in $prog/log, its process id in $pid.
start() {
    env "$@" "${launcher[@]}" "$exe" >"$prog/log" 2>&1 &
    pid=$!
}

# stop: ends the running Korvo with SIGTERM and waits for it.
stop() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid='' win=''
}

# until_ok TRIES COMMAND...: runs COMMAND (its output discarded) every tenth of a second until it
# succeeds, at most TRIES times.
until_ok() {
    local tries=$1 i
    shift
    for ((i = 0; i < tries; i++)); do
        "$@" >/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# shown W H: whether Korvo shows a window of that client size now; it becomes $win.
shown() {
    local w geometry
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true); do
        geometry=$(xdotool getwindowgeometry --shell "$w" 2>/dev/null) || continue
        eval "$geometry"
        if [ "$WIDTH" -eq "$1" ] && [ "$HEIGHT" -eq "$2" ]; then
            # shellcheck disable=SC2034 # the scripts read it
            win=$w
            return 0
        fi
    done
    return 1
}

# window W H [TRIES]: waits (TRIES tenths of a second, default 100) for Korvo to show a window
# of that size; it becomes $win.
window() { until_ok "${3:-100}" shown "$1" "$2"; }

# gone W H [TRIES]: waits (TRIES tenths of a second, default 50) until no such window shows.
gone() {
    local i
    for ((i = 0; i < ${3:-50}; i++)); do
        shown "$1" "$2" || return 0
        sleep 0.1
    done
    return 1
}

# tray_icon: prints the id of Korvo's icon in the tray host, the first window inside trayer's
# panel whose line names $tray_pattern (any case); fails when there is none. The tree is read
# whole before awk looks, so that no writer is cut off under pipefail.
tray_icon() {
    local tree icon
    tree=$(xwininfo -root -tree 2>/dev/null || true)
    icon=$(awk -v pattern="$(tr '[:upper:]' '[:lower:]' <<<"$tray_pattern")" '
        /"panel": \("panel" "trayer"\)/ { depth = match($0, /[^ ]/); inside = 1; next }
        inside && match($0, /[^ ]/) <= depth { inside = 0 }
        inside && index(tolower($0), pattern) { print $1; exit }' <<<"$tree")
    [ -n "$icon" ] && echo "$icon"
}

# root_pixmap: the root window's background pixmap as Korvo sets it on bare X11 (empty if none).
root_pixmap() { xprop -root _XROOTPMAP_ID 2>/dev/null | sed -n 's/.*# //p'; }
