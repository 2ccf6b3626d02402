#!/usr/bin/env bash
# The Windows check. Builds the core, both tools and every test that needs no Qt for 64-bit
# Windows with MinGW-w64, runs the tests under wine, and compares what the Windows telvoran-report
# and telvoran-mkarchive write with the Linux build's programs byte for byte: the demo archives,
# and the report of a generated set of archives by every sort column (standard output, standard
# error and exit status alike). Last, the desktop program: with Qt for Windows made by
# tools/build-qt-windows.sh, it is built, installed, packed into its installer and used under
# wine (tools/wine-scenario.sh); without it, its sources are compiled by the MinGW compiler
# against the Qt headers at hand, for syntax only. Fails when anything differs or fails.
#
#   tools/windows-check.sh [LINUX_BUILD]    LINUX_BUILD defaults to build/ and must be built
#
# Everything lands in build-windows/: GoogleTest built for Windows, a wine prefix of its own, the
# Windows build and the compared outputs; with Qt for Windows also the desktop program's build
# (build-desktop/), its folder (deploy/) and the scenario's prefix and screenshots (scenario/).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
linux_build=$(realpath "${1:-build}")
work=$root/build-windows
deps=$work/deps
win_build=$work/build
jobs=$(nproc)

./tools/install-deps.sh windows

started=$SECONDS
phase_started=$SECONDS
phase() {
  echo "   ($((SECONDS - phase_started)) s)"
  phase_started=$SECONDS
  echo "== Windows: $1"
}

# --- Wine: a prefix of our own and one server for every run, ended when the check ends --------
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# UTF-8 arguments reach a program as the right UTF-16 text; its ANSI code page is then 1252,
# which cannot spell names such as "łódź": a narrow command line would lose them.
export LC_ALL=C.UTF-8
mkdir -p "$work"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
echo "== Windows: wine prefix"
# Wine's background services keep the descriptors they are started with: none of ours.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i </dev/null >/dev/null 2>&1
fi
# The server wineboot started ends a few seconds after it; -p does not make a running server
# persistent, so wait for it to end first. Wine's services then start once, from the wineboot
# below with no descriptors of ours, and every test reuses them: no test starts a server and
# services of its own while another test is starting them too. A server that does not end
# by itself is ended.
timeout 60 wineserver -w || wineserver -k || true
wineserver -p </dev/null >/dev/null 2>&1 || true
wineboot </dev/null >/dev/null 2>&1

# --- GoogleTest for Windows, and CLI11's header-only package beside it ------------------------
phase "GoogleTest"
if [ ! -f "$deps/lib/libgtest.a" ]; then
  cmake -S /usr/src/googletest -B "$work/googletest" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$deps" >/dev/null
  cmake --build "$work/googletest" -j "$jobs" >/dev/null
  cmake --install "$work/googletest" >/dev/null
fi
# Only these two links make CLI11 visible to the Windows build; nothing else of /usr/include is.
mkdir -p "$deps/include" "$deps/share/cmake"
ln -sfn /usr/include/CLI "$deps/include/CLI"
ln -sfn /usr/share/cmake/CLI11 "$deps/share/cmake/CLI11"

# --- Build and test --------------------------------------------------------------------------
phase "build (log: $win_build/build.log)"
cmake -S . -B "$win_build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_FIND_ROOT_PATH="$deps" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTELVORAN_GUI=OFF -DTELVORAN_BENCH=OFF >/dev/null
if ! cmake --build "$win_build" -j "$jobs" >"$win_build/build.log" 2>&1; then
  grep -E "error|Error" "$win_build/build.log" | head -n 40
  exit 1
fi
if grep -q "warning:" "$win_build/build.log"; then
  grep -A3 "warning:" "$win_build/build.log" | head -n 40
  echo "The Windows build has warnings."
  exit 1
fi

phase "tests under wine"
# A test takes seconds under wine; one that hangs is stopped at its time limit instead of
# holding the whole check, and run once more: a hang of wine's own start-up is then told apart
# from one of the test, which hangs again and fails.
ctest --test-dir "$win_build" --output-on-failure -j "$jobs" --repeat after-timeout:2 </dev/null

# --- The same bytes as the Linux build --------------------------------------------------------
phase "the same bytes as the Linux build"
linux_report=$linux_build/telvoran-report
linux_mkarchive=$linux_build/telvoran-mkarchive
windows_report=$win_build/telvoran-report.exe
windows_mkarchive=$win_build/telvoran-mkarchive.exe
for program in "$linux_report" "$linux_mkarchive"; do
  [ -x "$program" ] || { echo "No $program: build the Linux programs first."; exit 1; }
done
compare=$work/compare
rm -rf "$compare"
mkdir -p "$compare/linux" "$compare/windows" "$compare/runs"
differences=0
runs=0

# differ WHAT FILE1 FILE2: counts and shows a difference.
differ() {
  if ! cmp -s "$2" "$3"; then
    echo "DIFFERENT: $1"
    cmp "$2" "$3" | head -n 1 || true
    differences=$((differences + 1))
  fi
}

# The demo archives, written by each build's telvoran-mkarchive.
for demo in "$linux_build"/demo/*; do
  differ "demo archive $(basename "$demo")" "$demo" "$win_build/demo/$(basename "$demo")"
done

# Each archive of the set: its name, then telvoran-mkarchive's options.
archives=(
  "2006-01-02_C00.czt|-c 0 -n 20"
  "2006-01-02_C01.czt|-c 1 -n 40 --format 1=int --range 1=-999:9999"
  "2006-01-02_C02.czt|-c 2 -n 300 --step 5m --duplicates 20 --seed 3"
  "2006-01-02_C03.czt|-c 3 -n 200 --format text --seed 4"
  "2006-01-02_C04.czt|-c 4 -n 500 --step 1m --format 1=fixed:3 --range 1=0:9.999 --header-kind 33"
  "2005-03-14_Łó.czt|-c 2 -n 30 --name 1=Łódź --unit 1=°C --name 2=Żar --unit 2=m3"
  "header-x.czt|-c 2 -n 5 --count-char x"
  "header-5.czt|-c 2 -n 5 --count-char 5"
  "header-missing.czt|-c 2 -n 5 --count-char missing"
  "short-header.czt|-n 0"
  "wrong-kind.czt|-n 10 --wrong-kind 9:33"
  "trailing.czt|-c 2 -n 10 --trailing 17"
  "alarm2006.zdr|-n 400 -c 4 --address 0-99 --duplicates 25 --seed 6"
  "alarm-codes.zdr|-n 300 --codes G=1,L=1,H=1,M=1,W=1,O=1,F=1,other=3 --other-codes gXŻż"
  "alarm-same-time.zdr|-n 200 --step 0 --address 5 --seed 8"
  "łódź 2009.zdr|-n 50 --name 1=Łódź --unit 1=°C"
  "zeros.zdr|-n 30 --zero 3:medium --zero 4:unit --set-byte 5:month=13 --set-byte 6:address=255"
  "wrong-kind.zdr|-n 10 --wrong-kind 3:26"
  "short.zdr|-n 0 --trailing 39"
  "DATA.CZT|--kind interval -n 10"
)
for entry in "${archives[@]}"; do
  name=${entry%%|*}
  read -r -a options <<<"${entry#*|}"
  "$linux_mkarchive" --output "$compare/linux/$name" "${options[@]}"
  (cd "$compare/windows" && wine "$windows_mkarchive" --output "$name" "${options[@]}" </dev/null)
  differ "archive $name" "$compare/linux/$name" "$compare/windows/$name"
done

# report_both NAME ARGUMENT...: runs both reports in the Linux set's folder and compares all
# they give; a report file named report.txt is compared too.
report_both() {
  local name=$1
  shift
  local run=$compare/runs/$runs
  mkdir -p "$run"
  local status
  status=0
  (cd "$compare/linux" && "$linux_report" "$@" >"$run/linux.out" 2>"$run/linux.err") || status=$?
  echo "$status" >"$run/linux.status"
  [ -f "$compare/linux/report.txt" ] && mv "$compare/linux/report.txt" "$run/linux.txt"
  status=0
  (cd "$compare/linux" && wine "$windows_report" "$@" >"$run/windows.out" 2>"$run/windows.err" \
    </dev/null) || status=$?
  echo "$status" >"$run/windows.status"
  [ -f "$compare/linux/report.txt" ] && mv "$compare/linux/report.txt" "$run/windows.txt"
  for part in out err status txt; do
    [ -f "$run/linux.$part" ] || [ -f "$run/windows.$part" ] || continue
    touch "$run/linux.$part" "$run/windows.$part"
    differ "report $name ($*): $part" "$run/linux.$part" "$run/windows.$part"
  done
  runs=$((runs + 1))
}

for entry in "${archives[@]}"; do
  name=${entry%%|*}
  case $name in
    *.czt) columns="1 2 3 4 5 6" ;;
    *.zdr) columns="1 2 3 4 5 6 7 8" ;;
    *) columns="1" ;;
  esac
  for column in $columns; do report_both "$name" --sort "$column" "$name"; done
  report_both "$name" --output report.txt "$name"
done
report_both missing missing.zdr
report_both "no arguments"
report_both "wrong option" --colour red
for demo in "$linux_build"/demo/*; do
  cp "$demo" "$compare/linux/"
  report_both "$(basename "$demo")" --sort 3 "$(basename "$demo")"
done
echo "   $runs report runs compared, $differences differences"
[ "$differences" -eq 0 ] || { echo "The Windows build writes other bytes (see $compare)."; exit 1; }

# --- The desktop program ------------------------------------------------------------------------
# With Qt for Windows made (tools/build-qt-windows.sh, about an hour, never run from here), the
# program is built against it, installed into a folder as a Windows user gets it, packed into
# the installer, and used under wine (tools/wine-scenario.sh). Without it, its sources are
# compiled against the build machine's Qt headers, for syntax only.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || echo 0)
qt_version=${qt_version%%+*}
qt_version=${qt_version%%-*}
qt_windows=${TELVORAN_QT_WINDOWS:-$HOME/.cache/telvoran/qt-$qt_version-mingw64}
if [ -f "$qt_windows/.telvoran-complete" ]; then
  gui_build=$work/build-desktop
  deploy=$work/deploy
  phase "desktop program against Qt for Windows in $qt_windows (log: $gui_build/build.log)"
  # The cache holds Qt Svg and Qt Charts only where the package mirror served their sources.
  has_module() { [ -d "$qt_windows/lib/cmake/Qt6$1" ] && echo ON || echo OFF; }
  # -O2 as in the build above: at -O3 GCC 12 warns of a memcpy overlap inside std::string that
  # cannot happen (-Wrestrict).
  cmake -S . -B "$gui_build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt_windows" -DCMAKE_FIND_ROOT_PATH="$deps;$qt_windows" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DTELVORAN_TESTS=OFF -DTELVORAN_BENCH=OFF \
    -DTELVORAN_SVG="$(has_module Svg)" -DTELVORAN_CHARTS="$(has_module Charts)" >/dev/null
  if ! cmake --build "$gui_build" -j "$jobs" >"$gui_build/build.log" 2>&1; then
    grep -E "error|Error" "$gui_build/build.log" | head -n 40
    exit 1
  fi
  if grep -q "warning:" "$gui_build/build.log"; then
    grep -A3 "warning:" "$gui_build/build.log" | head -n 40
    echo "The Windows build of the desktop program has warnings."
    exit 1
  fi
  rm -rf "$deploy"
  cmake --install "$gui_build" --prefix "$deploy" >/dev/null
  echo "   $(find "$deploy" -type f | wc -l) files in $deploy ($(du -sh "$deploy" | cut -f1))"

  phase "installer (cpack -G NSIS)"
  (cd "$gui_build" && cpack -G NSIS >"$gui_build/cpack.log" 2>&1) ||
    { tail -n 30 "$gui_build/cpack.log"; exit 1; }
  installer=$(ls "$gui_build"/telvoran-*-win64.exe)
  echo "   $(basename "$installer") ($(du -h "$installer" | cut -f1))"

  phase "the desktop program under wine (tools/wine-scenario.sh)"
  # Its own prefix and server: this one's would hold on to the programs it starts.
  wineserver -k >/dev/null 2>&1 || true
  tools/wine-scenario.sh "$deploy" "$linux_build" "$work/scenario" "$installer"
else
  echo "== Windows: the desktop program under wine skipped: no Qt for Windows in $qt_windows" \
    "(tools/build-qt-windows.sh makes it)"
  phase "desktop sources, syntax only"
  qt=/usr/include/x86_64-linux-gnu/qt6
  syntax_flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Werror -I"$root" -isystem "$qt")
  for module in QtCore QtGui QtWidgets QtPrintSupport QtNetwork QtSvg QtCharts; do
    syntax_flags+=(-isystem "$qt/$module")
  done
  syntax_flags+=(-DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB -DQT_PRINTSUPPORT_LIB -DQT_NETWORK_LIB
    -DQT_SVG_LIB -DQT_CHARTS_LIB -DTELVORAN_CHARTS=1 -DUNICODE -D_UNICODE
    -DTELVORAN_APP_ID='"org.telvoran.Telvoran"' -DTELVORAN_PDF_MODULE_FILE='"telvoran-report-pdf.dll"')
  # The desktop program with its Windows halves, and the report tool's printout.
  mapfile -t sources < <(find app -name '*.cpp' ! -name '*Posix.cpp' | sort)
  sources+=(tools/report/PdfPrintout.cpp tools/report/PrintingSession.cpp tools/report/PdfModule.cpp
    tools/report/PdfModuleWin32.cpp tools/report/PdfModuleEntry.cpp)
  printf '%s\n' "${sources[@]}" |
    xargs -P "$jobs" -I{} x86_64-w64-mingw32-g++-posix "${syntax_flags[@]}" {}
  echo "   ${#sources[@]} files compiled"
fi

phase "done"
echo "== Windows check passed in $((SECONDS - started)) s"
