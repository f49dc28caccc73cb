#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# single_instance.sh KORVO RESOURCES: a second start of Korvo hands over to the running one, which
# shows its hidden main window; --next changes the wallpaper (root window pixels on bare X11);
# a socket left by a killed Korvo does not stop the next start; --quit ends the running one with
# status 0; --show with none running says so and ends with status 1.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../support/e2e.sh
source "$(dirname "$0")/../support/e2e.sh"
program_folder "$1" "$2"
korv_ini "$prog/fond/" 2 0 >"$prog/Korv.ini"

# The first Korvo, its main window (the visible 423 x 333 one) in $win.
open_main() {
    start
    window 423 333 || fail "no main window appeared"
}
root_picture() { xwd -root -silent | md5sum; }

open_main
xdotool mousemove --window "$win" 328 316 click 1 # the exit button hides the window
until_ok 100 bash -c "! xdotool search --onlyvisible --pid $pid | grep -qx $win" ||
    fail "exit did not hide"

status=0
timeout 10 "$prog/korvo" || status=$?
[ $status -eq 0 ] || fail "the second start ended with status $status"
window 423 333 || fail "the second start did not bring the main window back"
kill -0 "$pid" || fail "the first Korvo ended"

before=$(root_picture)
"$prog/korvo" --next || fail "--next failed"
until_ok 100 bash -c "[ \"\$(xwd -root -silent | md5sum)\" != '$before' ]" ||
    fail "--next set no wallpaper"
first=$(root_picture)
"$prog/korvo" --next || fail "the second --next failed"
until_ok 100 bash -c "[ \"\$(xwd -root -silent | md5sum)\" != '$first' ]" ||
    fail "the second --next did not change the wallpaper"

# A crash leaves the socket behind; the next start claims it again.
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
open_main

"$prog/korvo" --quit || fail "--quit failed"
status=0
timeout 10 tail --pid="$pid" -f /dev/null || fail "--quit did not end the running Korvo"
wait "$pid" || status=$?
pid=
[ $status -eq 0 ] || fail "the running Korvo ended with status $status after --quit"

status=0
message=$("$prog/korvo" --show 2>&1) || status=$?
[ $status -eq 1 ] || fail "--show with none running ended with status $status"
grep -q "not running" <<<"$message" || fail "--show with none running said: $message"
echo "korvo single instance: hand-over, --next, stale socket, --quit and --show ok"
