#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# single_instance.sh KORVO RESOURCES: a second start of Korvo hands over to the running one, which
# shows its hidden main window; --next changes the wallpaper (root window pixels on bare X11);
# a socket left by a killed Korvo does not stop the next start; --quit ends the running one with
# status 0; --show with none running says so and ends with status 1. As root: another user's
# listener in Korvo's place is told nothing and Korvo starts anyway, and that user's requests are
# not read.
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

# Another user (nobody, whom setpriv makes without needing an account) listens where Korvo's socket
# goes, in a runtime folder anyone may write: Korvo tells it nothing, takes the place and starts.
if [ "$(id -u)" -ne 0 ]; then
    echo "korvo single instance: hand-over, --next, stale socket, --quit and --show ok (not root: the other-user cases were skipped)"
    exit 0
fi
as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups /usr/bin/python3 -c)
export XDG_RUNTIME_DIR=$prog/shared
mkdir -m 777 "$XDG_RUNTIME_DIR" && chmod o+x "$prog"
"${as_nobody[@]}" '
import socket, sys
server = socket.socket(socket.AF_UNIX)
server.bind(sys.argv[1])
server.listen(8)
server.settimeout(30)
with open(sys.argv[2], "ab", buffering=0) as heard:
    while True:
        client, _ = server.accept()
        client.settimeout(5)
        while data := client.recv(64):
            heard.write(data)
' "$XDG_RUNTIME_DIR/korvo.socket" "$XDG_RUNTIME_DIR/heard" 2>/dev/null &
other=$!
until_ok 100 test -S "$XDG_RUNTIME_DIR/korvo.socket" || fail "the other user's listener did not start"
open_main
kill "$other"
[ ! -s "$XDG_RUNTIME_DIR/heard" ] || fail "Korvo told another user's listener: $(cat "$XDG_RUNTIME_DIR/heard")"
grep -q "answered by user 65534" "$prog/log" || fail "Korvo did not say why it took the socket's place"

# The socket opened to everyone: the other user's quit is not even read, this user's is.
chmod 666 "$XDG_RUNTIME_DIR/korvo.socket"
answer=$("${as_nobody[@]}" '
import socket, sys
client = socket.socket(socket.AF_UNIX)
client.connect(sys.argv[1])
client.settimeout(5)
client.sendall(b"quit\n")
print(client.recv(16).decode(), end="")
' "$XDG_RUNTIME_DIR/korvo.socket" 2>/dev/null) || true
[ -z "$answer" ] || fail "another user's quit was answered: $answer"
sleep 0.5
kill -0 "$pid" || fail "another user's quit ended Korvo"
grep -q "refused a request.*user 65534" "$prog/log" || fail "Korvo did not say whose request it refused"
"$prog/korvo" --quit || fail "--quit after the other user's request failed"
wait "$pid" || fail "Korvo ended with status $? after --quit"
pid=
echo "korvo single instance: hand-over, --next, stale socket, --quit, --show and another user's socket and request ok"
