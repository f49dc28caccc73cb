#!/usr/bin/env bash
# no_session_bus.sh KORVO: Korvo on an X server with a tray host and no session bus. Qt and GLib
# would each launch a bus of their own (dbus-launch, dbus-daemon) that outlives Korvo; it must
# start none, still put its icon in the tray (XEmbed), and leave no process behind.
set -euo pipefail
prog=$(mktemp -d -t korvo-nobus.XXXXXX)
probe="KORVO_NO_BUS_PROBE=$$"
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$prog"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Every process that inherited this run's environment: Korvo and whatever it started.
ours() {
    local p
    for p in /proc/[0-9]*; do
        grep -qz "^$probe\$" "$p/environ" 2>/dev/null && cat "$p/comm" 2>/dev/null
    done
    true
}

unset DBUS_SESSION_BUS_ADDRESS
cp "$1" "$prog/korvo"
printf '[Start]\nWin=0\nFirst=0\n' >"$prog/Korv.ini"
env "$probe" "$prog/korvo" >/dev/null 2>&1 &
pid=$!
# Read whole before grep -q looks: under pipefail, a writer cut off by grep -q's early exit
# would turn a match into a failure.
in_tray() {
    local tree
    tree=$(xwininfo -root -tree | grep -A200 '"panel": ("panel" "trayer")' || true)
    grep -qi korvo <<<"$tree"
}
for _ in $(seq 1 300); do in_tray && break; sleep 0.1; done
in_tray || fail "no tray icon in the XEmbed tray"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
# Whatever Korvo started has a moment to go with it; what is still there after that stays.
for _ in $(seq 1 50); do [ -z "$(ours)" ] && break; sleep 0.1; done
left=$(ours)
[ -z "$left" ] || fail "left behind: $left"
echo "no session bus: none started, tray icon shown, nothing left"
