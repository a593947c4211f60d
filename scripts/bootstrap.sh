#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, only those that are missing.
# Usage: bootstrap.sh [fuzz]   (fuzz: also clang and its libFuzzer runtime, for make fuzz)
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libavformat-dev libavcodec-dev libavfilter-dev libswscale-dev libswresample-dev libavutil-dev
  libsdl2-dev
  libebur128-dev
  libcue-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-wqy-microhei
  desktop-file-utils appstream dpkg-dev
  dbus-daemon
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  runner=()
elif command -v sudo >/dev/null 2>&1; then
  runner=(sudo)
else
  echo "These Debian packages are missing and neither root nor sudo is available:" >&2
  echo "  ${missing[*]}" >&2
  echo "Install them (apt-get install ${missing[*]}) and run make again." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${runner[@]}" apt-get update -qq
"${runner[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
