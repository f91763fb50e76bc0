#!/usr/bin/env bash
# Checks a built Debian package without installing it on the system: unpacks it into a
# scratch root, looks for what a desktop needs, validates the desktop entry and the AppStream
# file, and runs the unpacked skyvane-cli from another folder, on the unpacked data.
set -euo pipefail
deb="$1"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
dpkg-deb --info "$deb" | grep -E "^ (Package|Version|Depends):"
dpkg -x "$deb" "$root"

for f in usr/bin/skyvane usr/bin/skyvane-cli usr/bin/skyvane-data \
         usr/share/skyvane/SKY2000_data.skd usr/share/skyvane/places.skd \
         usr/share/skyvane/help/index.html usr/share/skyvane/MANIFEST \
         usr/share/applications/skyvane.desktop usr/share/mime/packages/skyvane.xml \
         usr/share/metainfo/org.example.skyvane.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/skyvane.png \
         usr/share/icons/hicolor/scalable/apps/skyvane.svg; do
  [ -s "$root/$f" ] || { echo "missing in the package: $f"; exit 1; }
done
[ ! -e "$root/usr/share/skyvane/sources" ] || { echo "the raw sources are not shipped"; exit 1; }

desktop-file-validate "$root/usr/share/applications/skyvane.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.skyvane.metainfo.xml"

cd "$root"   # anywhere but the source tree
cli="$root/usr/bin/skyvane-cli"
"$cli" --version
"$cli" place 211 | grep -q '"town":"London"' || { echo "the unpacked data was not read"; exit 1; }
"$cli" render --out "$root/chart.png" --size 320x200 --ut 2026-12-08T22:00:00 | grep -q '"draw_list":[1-9]'
# The installed data is what the manifest lists, file by file.
"$cli" check-data > "$root/check-data.txt" || { cat "$root/check-data.txt"; echo "the installed data does not match its manifest"; exit 1; }
# It reads the unpacked folder, not the source tree: without the places file there, the
# place command fails.
mv "$root/usr/share/skyvane/places.skd" "$root/places.skd"
if "$cli" place 211 >/dev/null 2>&1; then
  echo "skyvane-cli read places from somewhere else than the unpacked data"; exit 1
fi
echo "package ok: $(basename "$deb")"
