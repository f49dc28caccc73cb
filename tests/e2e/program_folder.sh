# Sourced by the end-to-end scripts, with `korvo` and `resources` set: a program folder of Korvo's
# own ($prog) holding the executable and the sample pictures, removed at the end together with the
# process whose id the script keeps in $pid.
prog=$(mktemp -d -t korvo-e2e.XXXXXX)
pid=
cleanup() {
    [ -n "$pid" ] && kill "${KILL_SIGNAL:--TERM}" "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$prog"
}
trap cleanup EXIT
cp "$korvo" "$prog/korvo"
cp -r "$resources/fond" "$prog/fond"
