#!/usr/bin/env bash
# make install into a staging folder: the file list, the desktop files through their validators,
# the man pages, and the staged zelta-convert converting a file.
# Usage: InstallCheck.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
source "$(dirname "$0")/TestSupport.sh"
need_tool desktop-file-validate desktop-file-utils
need_tool appstreamcli appstream

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null || fail "cmake --install failed"

expected=$(sort <<'LIST'
usr/bin/zelta
usr/bin/zelta-convert
usr/share/applications/zelta.desktop
usr/share/icons/hicolor/128x128/apps/zelta.png
usr/share/icons/hicolor/16x16/apps/zelta.png
usr/share/icons/hicolor/22x22/apps/zelta.png
usr/share/icons/hicolor/24x24/apps/zelta.png
usr/share/icons/hicolor/256x256/apps/zelta.png
usr/share/icons/hicolor/32x32/apps/zelta.png
usr/share/icons/hicolor/48x48/apps/zelta.png
usr/share/icons/hicolor/64x64/apps/zelta.png
usr/share/icons/hicolor/scalable/apps/zelta.svg
usr/share/man/man1/zelta-convert.1
usr/share/man/man1/zelta.1
usr/share/metainfo/org.example.zelta.metainfo.xml
usr/share/zelta/zeltaaudioformat.ini
LIST
)
installed() { (cd "$stage" && find . -type f -printf '%P\n' | grep -v '^usr/share/zelta/skin/' | sort); }
list=$(installed)
if [ "$list" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$list") >&2 || true
  fail "the installed files differ from the expected list (< expected, > installed)"
fi
for f in "$stage"/usr/bin/*; do
  [ -x "$f" ] || fail "$f is not executable"
done

desktop-file-validate "$stage/usr/share/applications/zelta.desktop" ||
  fail "desktop-file-validate rejects zelta.desktop"
appstreamcli validate --no-net --pedantic "$stage/usr/share/metainfo/org.example.zelta.metainfo.xml" ||
  fail "appstreamcli rejects the metainfo file"
grep -q '^Exec=zelta %F$' "$stage/usr/share/applications/zelta.desktop" ||
  fail "the desktop entry does not open files with zelta %F"
grep -q '<launchable type="desktop-id">zelta.desktop</launchable>' \
  "$stage/usr/share/metainfo/org.example.zelta.metainfo.xml" ||
  fail "the metainfo file does not name the desktop entry"
grep -q "<release version=\"$version\"" "$stage/usr/share/metainfo/org.example.zelta.metainfo.xml" ||
  fail "the metainfo file has no release entry for $version"
# Every size of the PNG icon is what its folder says.
for png in "$stage"/usr/share/icons/hicolor/*x*/apps/zelta.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  w=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$w" = "$size" ] || fail "$png is $w, not $size"
done

check_installed_converter "$stage/usr/bin/zelta-convert" "$work/home" "$version"
shown=$(env -u DISPLAY -u WAYLAND_DISPLAY "$stage/usr/bin/zelta" --version) ||
  fail "zelta --version failed"
[ "$shown" = "zelta $version" ] || fail "zelta --version says '$shown'"
# Running the installed programs left nothing in the installed tree (no settings file there).
[ "$(installed)" = "$expected" ] || fail "running the installed programs changed the installed tree"
echo "install check passed"
