#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# screenshots.sh BUILD_DIR OUTPUT_DIR: every window of Korvo.exe's binding in each of the six
# languages as OUTPUT_DIR/<Form>-<LANG>.png, drawn by Wine and framed by openbox on a private X
# server, in a Wine prefix of its own. BUILD_DIR is a build of the windows preset (build/windows).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR OUTPUT_DIR" >&2; exit 2; }
program=$(cd "$1" && pwd)/tests/ui/win32/korvo_win32_screenshots.exe
[ -f "$program" ] || { echo "screenshots.sh: no $program; build the windows preset" >&2; exit 1; }
mkdir -p "$2"
output=$(cd "$2" && pwd)
if [ -z "${KORVO_SCREENSHOTS_DISPLAY:-}" ]; then
    exec env KORVO_SCREENSHOTS_DISPLAY=1 "$root/scripts/lib/with-xvfb" --wm "$0" "$@"
fi
work=$(mktemp -d -t korvo-screenshots.XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1 || true
mkdir -p "$work/shots"
wine "$program" "$(winepath -w "$work/shots")" "$(winepath -w "$root/resources")" >/dev/null &
pid=$!
# The program asks for each picture with a file naming its window and waits until it is gone.
while kill -0 "$pid" 2>/dev/null; do
    for request in "$work"/shots/*.xid; do
        [ -e "$request" ] || continue
        png="$output/$(basename "${request%.xid}").png"
        import -frame -window "$(tr -d '\r\n' <"$request")" "$png"
        rm -f "$request"
        echo "$png"
    done
    sleep 0.1
done
status=0
wait "$pid" || status=$?
pid=
exit $status
