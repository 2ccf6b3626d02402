#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own Qt sources with MinGW-w64, for the Windows
# desktop program (tools/windows-check.sh and the installer use it). Debian ships no Qt for
# Windows, but its Qt sources cross-build with the build machine's Qt tools (moc, rcc, uic).
#
#   tools/build-qt-windows.sh [PREFIX]
#
# PREFIX defaults to ~/.cache/telvoran/qt-<version>-mingw64; a prefix that holds a finished build
# is left alone, so later runs cost nothing. The sources are fetched with apt through a private
# list of deb-src entries: the system's apt set-up is not changed. About an hour on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
if [ -z "$version" ]; then
  ./tools/install-deps.sh
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
fi
upstream=${version%%+*}
upstream=${upstream%%-*}
prefix=${1:-$HOME/.cache/telvoran/qt-$upstream-mingw64}
stamp=$prefix/.telvoran-complete
if [ -f "$stamp" ]; then
  echo "Qt $upstream for Windows is ready in $prefix"
  exit 0
fi

./tools/install-deps.sh windows
missing=()
for p in ninja-build dpkg-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

started=$SECONDS
work=${TELVORAN_QT_WORK:-$HOME/.cache/telvoran/qt-$upstream-mingw64-work}
mkdir -p "$work"
echo "== Qt $upstream for Windows: sources (work folder: $work)"

# --- Sources, through a private apt list of the system's own suites as deb-src ----------------
apt_dir=$work/apt
mkdir -p "$apt_dir/lists/partial"
: >"$apt_dir/sources.list"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f"
done >"$apt_dir/deb-src.sources"
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$apt_dir/sources.list"
fi
mkdir -p "$apt_dir/parts"
cp "$apt_dir/deb-src.sources" "$apt_dir/parts/deb-src.sources"
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
  -o "Dir::State::Lists=$apt_dir/lists")
apt-get "${apt_opts[@]}" update -qq

# Each module's source of the version the build machine has, unpacked with Debian's patches.
fetch() { # package, version of its -dev package
  local pkg=$1 ver=$2 dir
  dir=$(find "$work/src" -maxdepth 1 -type d -name "${pkg}-*" 2>/dev/null | head -n 1)
  if [ -z "$dir" ]; then
    mkdir -p "$work/src"
    # A mirror may hold a package's description but not its sources: the module is then left out.
    (cd "$work/src" && apt-get "${apt_opts[@]}" source -qq "$pkg=$ver" >/dev/null 2>&1) || true
    dir=$(find "$work/src" -maxdepth 1 -type d -name "${pkg}-*" | head -n 1)
  fi
  echo "$dir"
}
base_src=$(fetch qt6-base "$version")
if [ -z "$base_src" ]; then
  echo "The sources of qt6-base $version cannot be fetched: no Qt for Windows." >&2
  exit 1
fi
svg_src=$(fetch qt6-svg "$(dpkg-query -W -f='${Version}' qt6-svg-dev)")
charts_src=$(fetch qt6-charts "$(dpkg-query -W -f='${Version}' qt6-charts-dev)")

host=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" "${host[@]}"
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_WITH_PCH=OFF)

# --- qtbase: the modules and plugins the program uses, no SQL, OpenGL or D-Bus ------------------
# tabletevent: Debian's source lacks the tablet header. dynamicgl: 6.4's Windows platform plugin
# does not compile with OpenGL off unless it is off too.
echo "== qtbase ($((SECONDS - started)) s)"
cmake -S "$base_src" -B "$work/build-base" "${common[@]}" \
  -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_system_zlib=OFF -DQT_FEATURE_vulkan=OFF \
  -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF >"$work/base-configure.log"
ninja -C "$work/build-base" >"$work/base-build.log"
cmake --install "$work/build-base" >/dev/null

# --- qtsvg and qtcharts against it ---------------------------------------------------------------
module() { # name, source
  if [ -z "$2" ]; then
    echo "== $1: its sources cannot be fetched from the package mirror; left out"
    return
  fi
  echo "== $1 ($((SECONDS - started)) s)"
  cmake -S "$2" -B "$work/build-$1" "${common[@]}" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" >"$work/$1-configure.log"
  ninja -C "$work/build-$1" >"$work/$1-build.log"
  cmake --install "$work/build-$1" >/dev/null
}
module svg "$svg_src"
module charts "$charts_src"

date -u +%FT%TZ >"$stamp"
size=$(du -sh "$prefix" | cut -f1)
echo "== Qt $upstream for Windows is in $prefix ($size), built in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s"
echo "   The work folder $work may be removed."
