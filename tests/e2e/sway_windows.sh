#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# sway_windows.sh KORVO RESOURCES: Korvo in sway (headless, without Xwayland, as
# scripts/lib/with-desktop starts it) shows its main window as a native Wayland window: an
# xdg-shell surface with Korvo's app id at the size of its design, Qt's Wayland platform loaded.
# `korvo --quit` ends it with status 0.
set -euo pipefail
# Any X server outside this session is not sway's.
unset DISPLAY
# shellcheck source-path=SCRIPTDIR source=../support/e2e.sh
source "$(dirname "$0")/../support/e2e.sh"
program_folder "$1" "$2"
korv_ini "$prog/fond/" 2 0 >"$prog/Korv.ini"

# Korvo's windows as sway shows them, one a line: shell, app id, width x height, title.
windows() {
    swaymsg -t get_tree | python3 -c '
import json, sys
def nodes(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from nodes(child)
for node in nodes(json.load(sys.stdin)):
    if node.get("pid") == int(sys.argv[1]):
        rect = node["window_rect"]
        print(node.get("shell"), node.get("app_id"), "%dx%d" % (rect["width"], rect["height"]),
              node.get("name"))' "$pid"
}
native() { [ "$(windows)" = "xdg_shell io.github.korvo.Korvo 423x333 Korvo" ]; }

# Qt's Wayland plugin (Qt 6.4) leaves some of its protocol objects to the end of the process,
# which the leak checker of a sanitizer build would count against Korvo.
start "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
until_ok 150 native || fail "sway shows Korvo's windows as [$(windows)]"
grep -q '/libqwayland' "/proc/$pid/maps" || fail "Qt's Wayland platform is not loaded"
"$exe" --quit || fail "korvo --quit was refused"
ended() { ! kill -0 "$pid" 2>/dev/null; }
until_ok 100 ended || fail "Korvo still runs after korvo --quit"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "korvo --quit ended Korvo with status $status"
echo "korvo in sway: a native Wayland main window ok"
