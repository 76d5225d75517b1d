#!/bin/sh
# Installs the whole program into a scratch prefix and asks the desktop's own
# tools about it, with every XDG folder inside the scratch tree so that
# nothing of this machine's or this user's settings takes part:
# - xdg-mime names the vocabulary type for a .eng file, and Vocanto's
#   launcher entry as the program that opens it;
# - the type is also known by content, by the language line that begins a
#   vocabulary (after a UTF-8 byte order mark too), but a diff's "@@" hunk
#   or a "##" comment is not taken for one;
# - the installed program prints its version without a display, and the
#   AppStream file carries that version and the type.
# Arguments: cmake-command build-dir scratch-dir datadir mime-type desktop-id version
set -eu
cmake="$1"; build="$2"; scratch="$3"; datadir="$4"; type="$5"; desktop="$6"; version="$7"

for tool in xdg-mime update-mime-database mimetype; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool is not installed (scripts/test.sh installs it): check skipped"
    exit 77
  fi
done

rm -rf "$scratch"
prefix="$scratch/prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
data="$prefix/$datadir"
mkdir -p "$scratch/home" "$scratch/config" "$scratch/config-dirs" "$scratch/data-dirs" \
         "$scratch/runtime" "$scratch/files"
chmod 700 "$scratch/runtime"
unset DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID MATE_DESKTOP_SESSION_ID \
      LXQT_SESSION_CONFIG XDG_MENU_PREFIX DISPLAY WAYLAND_DISPLAY
export HOME="$scratch/home" XDG_DATA_HOME="$data" XDG_DATA_DIRS="$scratch/data-dirs" \
       XDG_CONFIG_HOME="$scratch/config" XDG_CONFIG_DIRS="$scratch/config-dirs" \
       XDG_RUNTIME_DIR="$scratch/runtime" XDG_CURRENT_DESKTOP=X-Generic

# What the package managers' triggers run after an install.
update-mime-database "$data/mime"
if command -v update-desktop-database >/dev/null 2>&1; then
  update-desktop-database "$data/applications"
fi

status=0
fail() { echo "$*" >&2; status=1; }

# A .eng file is a vocabulary whatever its content and the case of its
# name; a file without that name only by its first line.
files="$scratch/files"
printf '@@ 3 1=ita 2=fra 3=ger 4=spa 0=others\r\n' > "$files/x.eng"
printf '## A comment first\r\n@@ 2 1=ita\r\n' > "$files/WORDS.ENG"
printf '@@ 1 1=ita 2=fra 3=ger 4=spa 0=others\r\n' > "$files/words"
printf '\357\273\277@@ 4 1=ita 2=fra 3=ger 4=spa 0=others\r\n' > "$files/words-utf8"
printf '@@ -1,3 +1,3 @@\n-old\n+new\n' > "$files/hunk"
printf '## notes\n@@ 2 1=ita\n' > "$files/notes"
for f in x.eng WORDS.ENG words words-utf8 hunk notes; do
  case "$f" in hunk|notes) want="-" ;; *) want="$type" ;; esac
  got=$(cd "$files" && xdg-mime query filetype "$f" 2>&1) || true
  if [ "$want" = "-" ]; then
    [ "$got" != "$type" ] || fail "xdg-mime query filetype $f: $got, expected another type"
  else
    [ "$got" = "$want" ] || fail "xdg-mime query filetype $f: '$got', expected $want"
  fi
done

got=$(xdg-mime query default "$type" 2>&1) || true
[ "$got" = "$desktop" ] || fail "xdg-mime query default $type: '$got', expected $desktop"

# --help and --version need no window system.
got=$(QT_QPA_PLATFORM=xcb "$prefix/bin/vocanto" --version 2>&1) || true
[ "$got" = "Vocanto $version" ] || fail "vocanto --version: '$got', expected 'Vocanto $version'"

metainfo="$data/metainfo/${desktop%.desktop}.metainfo.xml"
grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "$metainfo: no mediatype $type"
grep -q "<release version=\"$version\"" "$metainfo" || fail "$metainfo: no release $version"

[ $status -ne 0 ] || rm -rf "$scratch"
exit $status
