#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building, running and testing Telvoran.
# Only missing packages are installed; a machine that has them all is left untouched.
#
#   tools/install-deps.sh            what the Linux build and its tests need
#   tools/install-deps.sh windows    what the Windows check needs (tools/windows-check.sh):
#                                    MinGW-w64, wine and GoogleTest's sources, and for the
#                                    desktop program NSIS, an X server and its tools
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libqt6svg6 qt6-svg-dev qt6-translations-l10n
  # Qt Charts' CMake package needs Qt's OpenGL package, which its own package does not pull in.
  qt6-charts-dev libqt6opengl6-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  binutils-mingw-w64-x86-64
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick x11-apps
  fonts-liberation poppler-utils
  desktop-file-utils appstream shared-mime-info dpkg-dev file man-db
  # Debian's package checker, run on the package the tests build.
  lintian
  # The CSV round trip reads the files back with Python's csv module.
  python3
  # GNU time: the peak memory that bench/report-vs-sort.sh reports.
  time
)
if [ "${1:-}" = windows ]; then
  packages=(
    cmake make libcli11-dev binutils-mingw-w64-x86-64
    g++-mingw-w64-x86-64-posix wine64 wine googletest
    # The desktop program under wine (tools/wine-scenario.sh) and its installer.
    qt6-base-dev qt6-translations-l10n nsis xvfb xauth x11-utils openbox xdotool imagemagick
    poppler-utils
  )
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
