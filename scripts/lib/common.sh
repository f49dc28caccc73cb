# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the project's scripts: the checkout's root and the package check. Sourced, not run.

KORVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# The package groups of scripts/packages/, by who needs them. scripts/run installs only the first
# set: what builds Korvo and what it needs to run. A package that only a test, a benchmark, a
# generator or a packaging check uses goes into a group of the second set, never the first.
KORVO_RUN_GROUPS=(build qt linux)
# What scripts/test installs besides, one group per kind of test: tests (the test programs, also
# for --quick), gate, desktop (the desktop and end-to-end tests), windows, packaging, fuzz.
KORVO_TEST_GROUPS=(tests gate desktop windows packaging fuzz)

# Installs the Debian packages listed in scripts/packages/<group>.txt for each group given, when any
# is missing: as root directly, otherwise through sudo; without either it stops with the exact
# apt-get line to run.
korvo_need_packages() {
    local group missing=()
    local -a wanted=()
    for group in "$@"; do
        [ -f "$KORVO_ROOT/scripts/packages/$group.txt" ] || {
            echo "korvo_need_packages: no package group $group in scripts/packages/" >&2
            exit 2
        }
        mapfile -t -O "${#wanted[@]}" wanted < <(grep -v -E '^\s*(#|$)' "$KORVO_ROOT/scripts/packages/$group.txt")
    done
    local pkg
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q -E 'install ok (installed|triggers-pending)' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local line="apt-get install -y --no-install-recommends ${missing[*]}"
    local -a runner=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
            runner=(sudo)
        else
            echo "Korvo needs Debian packages that are missing. Run as root:" >&2
            echo "  apt-get update && $line" >&2
            exit 1
        fi
    fi
    echo "== installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${runner[@]}" apt-get update -qq
    # shellcheck disable=SC2086
    "${runner[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
