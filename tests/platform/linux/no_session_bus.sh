#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# no_session_bus.sh KORVO: Korvo on an X server with a tray host and no session bus. Qt and GLib
# would each launch a bus of their own (dbus-launch, dbus-daemon) that outlives Korvo; it must
# start none, still put its icon in the tray (XEmbed), and leave no process behind.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../../support/e2e.sh
source "$(dirname "$0")/../../support/e2e.sh"
program_folder "$1"
probe="KORVO_NO_BUS_PROBE=$$"
# Every process that inherited this run's environment: Korvo and whatever it started.
ours() {
    local p
    for p in /proc/[0-9]*; do
        grep -qz "^$probe\$" "$p/environ" 2>/dev/null && cat "$p/comm" 2>/dev/null
    done
    true
}

unset DBUS_SESSION_BUS_ADDRESS
printf '[Start]\nWin=0\nFirst=0\n' >"$prog/Korv.ini"
start "$probe"
until_ok 300 tray_icon || fail "no tray icon in the XEmbed tray"
stop
# Whatever Korvo started has a moment to go with it; what is still there after that stays.
for _ in $(seq 1 50); do [ -z "$(ours)" ] && break; sleep 0.1; done
left=$(ours)
[ -z "$left" ] || fail "left behind: $left"
echo "no session bus: none started, tray icon shown, nothing left"
