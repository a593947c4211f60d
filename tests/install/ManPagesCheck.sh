#!/usr/bin/env bash
# The man pages describe exactly the options that --help lists, and name the current version.
# Usage: ManPagesCheck.sh MAN_FOLDER VERSION PROGRAM...
set -euo pipefail
source "$(dirname "$0")/TestSupport.sh"
man_folder=$1 version=$2
shift 2
short_version=$(echo "$version" | cut -d. -f1,2)
for program in "$@"; do
  name=$(basename "$program")
  page=$man_folder/$name.1
  [ -f "$page" ] || fail "no man page $page"
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help) || fail "$name --help failed"
  from_help=$(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
  # Options in the page are the tags of its option list: ".TP" then ".B \-\-name" or ".BI \-\-name".
  from_page=$(awk '/^\.TP/{getline; print}' "$page" | grep -oE '^\.BI? \\-\\-[a-z][a-z\\-]*' |
    sed -e 's/^\.BI* //' -e 's/\\-/-/g' | sort -u)
  if [ "$from_help" != "$from_page" ]; then
    diff <(echo "$from_help") <(echo "$from_page") >&2 || true
    fail "$page and $name --help list different options (< --help, > man page)"
  fi
  head -1 "$page" | grep -q "\"zelta $short_version\"" ||
    fail "$page does not name version $short_version in its title line"
  if command -v man >/dev/null 2>&1; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null || true)
    [ -z "$warnings" ] || fail "$page: $warnings"
  fi
done
echo "man pages match --help"
