#!/usr/bin/env bash
# make package: builds the Debian package from this build (no second build), then checks its
# control fields and contents, and runs the packaged zelta-convert.
# Usage: PackageCheck.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
source "$(dirname "$0")/TestSupport.sh"
need_tool dpkg-deb dpkg
need_tool dpkg-shlibdeps dpkg-dev

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || {
  cat "$work/cpack.log" >&2
  fail "cpack could not build the package"
}
debs=("$work"/pkg/zelta_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single zelta_*.deb was built"
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "zelta_${version}_${arch}.deb" ] || fail "unexpected name $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zelta ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
# The dependencies come from the libraries the programs link, with versions.
for lib in libavcodec libavformat libavfilter libswscale libswresample libavutil \
  libqt6widgets6 libqt6gui6 libqt6core6 libsdl2 libc6 "libstdc\\+\\+6"; do
  grep -qE "(^|, )${lib}[^,]* \(>= [^)]+\)" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' | grep -v '/$' | sort)
for f in usr/bin/zelta usr/bin/zelta-convert usr/share/zelta/zeltaaudioformat.ini \
  usr/share/applications/zelta.desktop usr/share/metainfo/org.example.zelta.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/zelta.svg usr/share/icons/hicolor/48x48/apps/zelta.png \
  usr/share/man/man1/zelta.1 usr/share/man/man1/zelta-convert.1; do
  grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
stray=$(grep -vE '^usr/(bin/zelta(-convert)?|share/(zelta|applications|metainfo|icons/hicolor|man/man1)/.*)$' \
  <<<"$contents" || true)
[ -z "$stray" ] || fail "the package holds unexpected files: $stray"
owners=$(dpkg-deb -c "$deb" | awk '{print $2}' | sort -u)
[ "$owners" = "root/root" ] || fail "files not owned by root: $owners"

# The packaged (stripped) converter works from an unpacked copy.
dpkg-deb -x "$deb" "$work/root"
check_installed_converter "$work/root/usr/bin/zelta-convert" "$work/home" "$version"
echo "package check passed: $(basename "$deb")"
