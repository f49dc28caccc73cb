#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# package_contents.sh BUILD ID: packs the build's Debian package with CPack and checks what it
# holds and what it depends on: the program folder under /usr/lib/korvo (the user guide in it) with the link in /usr/bin,
# the menu entry, every icon and the metadata named after the build's id ID, the manual page and
# documents, dependencies that dpkg-shlibdeps found for the libraries Korvo links, the licence the
# copyright file and the metadata state, the menu entry's actions in every language, and lintian.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR source=../support/e2e.sh
source "$(dirname "$0")/../support/e2e.sh"
build=$1
id=$2
out=$(mktemp -d -t korvo-deb.XXXXXX)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" -G DEB >/dev/null
deb=$(ls "$out"/korvo_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{ print $6 $7 $8 }')
for want in ./usr/lib/korvo/korvo ./usr/lib/korvo/korvo-qt.so ./usr/lib/korvo/Korv.ini \
    ./usr/lib/korvo/fond/dawn.png \
    ./usr/lib/korvo/guide.html \
    ./usr/bin/korvo-\>../lib/korvo/korvo "./usr/share/applications/$id.desktop" \
    ./usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/"$id.png" \
    "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
    "./usr/share/metainfo/$id.metainfo.xml" ./usr/share/man/man1/korvo.1.gz \
    ./usr/share/doc/korvo/copyright ./usr/share/doc/korvo/changelog.gz; do
    grep -qxF -- "$want" <<<"$files" || fail "the package lacks $want"
done
# Nothing of the build or the tests rides along.
extra=$(grep -vE '^\./usr/(bin|lib/korvo|share/(applications|icons|metainfo|man|doc))/|/$' <<<"$files" || true)
[ -z "$extra" ] || fail "the package holds more: $extra"

root=$out/root
dpkg-deb -x "$deb" "$root"

# The licence: GPL-3.0-or-later for the package, pointing at Debian's copy of its text; the
# metadata's own licence stands apart.
copyright=$root/usr/share/doc/korvo/copyright
awk -v RS= '/^Files: \*\n/ && /\nLicense: GPL-3.0-or-later(\n|$)/ { found = 1 } END { exit !found }' \
    "$copyright" || fail "the copyright file does not put the package under GPL-3.0-or-later"
grep -qF '/usr/share/common-licenses/GPL-3' "$copyright" ||
    fail "the copyright file does not point at /usr/share/common-licenses/GPL-3"
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
for want in "<id>$id</id>" "<project_license>GPL-3.0-or-later</project_license>" \
    "<launchable type=\"desktop-id\">$id.desktop</launchable>"; do
    grep -qF -- "$want" "$metainfo" || fail "the metadata lacks $want"
done

# The menu entry's right-click actions, each running korvo with its option and named in the six
# languages; its icon is the one installed under the id.
entry=$root/usr/share/applications/$id.desktop
group() { # NAME: the lines of one group of the entry
    awk -v name="[$1]" '/^\[/ { inside = ($0 == name); next } inside' "$entry"
}
group 'Desktop Entry' | grep -qx "Icon=$id" || fail "the menu entry's icon is not $id"
group 'Desktop Entry' | grep -qx 'Actions=next;show;quit;' || fail "the menu entry lacks its actions"
for action in next show quit; do
    lines=$(group "Desktop Action $action")
    grep -qx "Exec=korvo --$action" <<<"$lines" || fail "action $action does not run korvo --$action"
    for key in Name 'Name[de]' 'Name[es]' 'Name[fr]' 'Name[ja]' 'Name[zh_CN]'; do
        awk -F= -v key="$key" '$1 == key && $2 != "" { found = 1 } END { exit !found }' \
            <<<"$lines" || fail "action $action has no $key"
    done
done

depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | sed -E 's/^ +//; s/ .*//')
for want in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 \
    libglib2.0-0 libgdk-pixbuf-2.0-0 libx11-6 libxrandr2 qt6-qpa-plugins; do
    grep -qxF -- "$want" <<<"$names" || fail "Depends lacks $want: $depends"
done
# Debian's own rules, as scripts/package applies them: among them the contact's form and the
# copyright file's.
status=0
report=$(lintian --fail-on error --suppress-tags bad-distribution-in-changes-file "$deb" 2>&1) ||
    status=$?
grep -v 'running with root privileges' <<<"$report" || true
[ $status -eq 0 ] || fail "lintian finds errors in the package"
echo "package ok: $(wc -l <<<"$files") entries; Depends: $depends"
