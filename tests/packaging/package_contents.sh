#!/usr/bin/env bash
# package_contents.sh BUILD: packs the build's Debian package with CPack and checks what it holds
# and what it depends on: the program folder under /usr/lib/korvo (the user guide in it) with the
# link in /usr/bin, the menu entry, every icon, the metadata, the manual page and documents, and
# dependencies that dpkg-shlibdeps found for the libraries Korvo links.
set -euo pipefail
build=$1
out=$(mktemp -d -t korvo-deb.XXXXXX)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" -G DEB >/dev/null
deb=$(ls "$out"/korvo_*.deb)
files=$(dpkg-deb -c "$deb" | awk '{ print $6 $7 $8 }')
for want in ./usr/lib/korvo/korvo ./usr/lib/korvo/Korv.ini ./usr/lib/korvo/fond/dawn.png \
    ./usr/lib/korvo/guide.html \
    ./usr/bin/korvo-\>../lib/korvo/korvo ./usr/share/applications/korvo.desktop \
    ./usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/korvo.png \
    ./usr/share/icons/hicolor/scalable/apps/korvo.svg \
    ./usr/share/metainfo/org.example.korvo.metainfo.xml ./usr/share/man/man1/korvo.1.gz \
    ./usr/share/doc/korvo/copyright ./usr/share/doc/korvo/changelog.gz; do
    grep -qxF -- "$want" <<<"$files" || fail "the package lacks $want"
done
# Nothing of the build or the tests rides along.
extra=$(grep -vE '^\./usr/(bin|lib/korvo|share/(applications|icons|metainfo|man|doc))/|/$' <<<"$files" || true)
[ -z "$extra" ] || fail "the package holds more: $extra"

depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | sed -E 's/^ +//; s/ .*//')
for want in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 \
    libglib2.0-0 libx11-6 libxrandr2 qt6-qpa-plugins; do
    grep -qxF -- "$want" <<<"$names" || fail "Depends lacks $want: $depends"
done
echo "package ok: $(wc -l <<<"$files") entries; Depends: $depends"
