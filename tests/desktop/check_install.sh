#!/bin/sh
# Installs the desktop component into a scratch prefix and checks that the
# launcher entry, the metainfo file, the file type, the icon, the
# instructions page and the starter vocabularies are where a desktop and the
# program look for them.
# Arguments: cmake-command build-dir scratch-prefix datadir icon-name
set -eu
cmake="$1"; build="$2"; prefix="$3"; datadir="$4"; icon="$5"
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" --component desktop >/dev/null
status=0
check() {
  if [ -z "$(ls $1 2>/dev/null)" ]; then
    echo "missing after install: $1" >&2
    status=1
  fi
}
check "$prefix/$datadir/applications/*.desktop"
check "$prefix/$datadir/metainfo/*.metainfo.xml"
check "$prefix/$datadir/mime/packages/*.xml"
check "$prefix/$datadir/icons/hicolor/scalable/apps/$icon.svg"
check "$prefix/$datadir/vocanto/help/contiene/VOCA8ENH.HTM"
for lang in Italian French German Spanish; do
  f="$prefix/$datadir/vocanto/Starter vocabularies/English-$lang.eng"
  [ -f "$f" ] || { echo "missing after install: $f" >&2; status=1; }
done
# The entry names the category and an icon that was installed.
for f in "$prefix/$datadir"/applications/*.desktop; do
  [ -f "$f" ] || continue
  grep -q '^Categories=.*Education;' "$f" || { echo "$f: no Education category" >&2; status=1; }
  grep -q '^Categories=.*Languages;' "$f" || { echo "$f: no Languages category" >&2; status=1; }
  grep -q "^Icon=$icon\$" "$f" || { echo "$f: Icon is not $icon" >&2; status=1; }
done
rm -rf "$prefix"
exit $status
