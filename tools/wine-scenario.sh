#!/usr/bin/env bash
# The Windows desktop program, used under wine as a person would, step by step:
#   1. telvoran.exe starts with Polish menus, read from Telvoran.dll by Windows' own loader;
#      with the English library over it, the menus and Qt's dialogs are English.
#   2. An archive named on the command line opens; a click on a column panel sorts by that
#      column; the view saved through the save dialog holds the Linux report's bytes.
#   3. The printout of a view (telvoran-report.exe --pdf) has the Linux printout's pages.
#   4. A second telvoran.exe with a file hands it over and ends; one without files says that
#      the program runs already (string 101) and ends.
#   5. Without Telvoran.dll the built-in message comes and the program ends.
#   6. An archive that another program holds open for writing opens when that program lets
#      others read; when it lets nobody in, the program tries for a while and then says so.
#   7. With an installer given: its silent install puts the files, the Start-menu entry and
#      the file types in place, an archive opened through its type starts the program, and
#      the silent uninstall leaves nothing behind.
# Each step leaves a screenshot in the work folder's shots/, to be looked at.
#
#   tools/wine-scenario.sh DEPLOY LINUX_BUILD WORK [INSTALLER]
#
# DEPLOY is the folder `cmake --install` made from the Windows build; LINUX_BUILD a built Linux
# build folder (its telvoran-report and demo archives are the reference); WORK a folder for the
# wine prefix, files and screenshots (emptied first). TELVORAN_WINE_DISPLAY picks the X display
# (default 63). Takes two to four minutes. Fails at the first step that goes wrong.
set -euo pipefail

deploy=$(realpath "$1")
linux_build=$(realpath "$2")
work=$3
installer=${4:+$(realpath "$4")}
wait_limit=60

rm -rf "$work"
mkdir -p "$work/shots" "$work/files"
work=$(realpath "$work")
log=$work/programs.log
shots=$work/shots

fail() {
  echo "FAIL: $*"
  echo "   (screenshots in $shots, what the programs printed in $log)"
  exit 1
}
step() { echo "== wine scenario: $*"; }

# --- An X server, a window manager and a wine prefix of our own ------------------------------
display=${TELVORAN_WINE_DISPLAY:-63}
export DISPLAY=:$display
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8 XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The X server and window manager (servers), and the Windows programs started (pids).
servers=()
pids=()
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  for pid in "${pids[@]}" "${servers[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
servers+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "the X server on $DISPLAY did not start (is the display taken?)"
openbox >/dev/null 2>&1 &
servers+=($!)
step "wine prefix"
wineboot -i </dev/null >/dev/null 2>&1
wineserver -p </dev/null >/dev/null 2>&1 || true

# Archives of the Linux build, and what its report tool makes of them.
cp "$linux_build"/demo/* "$work/files/"
files=$work/files
winpath() { winepath -w "$1" 2>/dev/null; }

# --- Helpers ---------------------------------------------------------------------------------
# run PROGRAM ARG...: starts a Windows program in the background; its process id is in $!.
# The subshell keeps bash from announcing each program that end_programs kills.
run() {
  (wine "$@" </dev/null >>"$log" 2>&1; exit $?) &
  pids+=($!)
}

# The visible windows titled exactly $1, one id a line.
windows_titled() {
  local id
  for id in $(xdotool search --all --onlyvisible --name "^$1\$" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id"
  done
  return 0
}

# Waits until $2 windows (default 1) titled $1 are on the screen, and prints their ids.
wait_for_windows() {
  local count=${2:-1} ids
  for _ in $(seq $((wait_limit * 5))); do
    ids=$(windows_titled "$1")
    [ -n "$ids" ] && [ "$(wc -l <<<"$ids")" -eq "$count" ] && { echo "$ids"; return 0; }
    sleep 0.2
  done
  return 1
}

# Waits until a window other than $1 is the active one, a dialog that keys opened, and prints
# its id.
wait_for_dialog() {
  local active
  for _ in $(seq $((wait_limit * 5))); do
    active=$(xdotool getactivewindow 2>/dev/null || true)
    [ -n "$active" ] && [ "$active" != "$1" ] && { echo "$active"; return 0; }
    sleep 0.2
  done
  return 1
}

# Of the windows $@, the largest: the main window before its boxes.
largest_window() {
  local id best='' best_area=0
  for id in "$@"; do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    if [ $((WIDTH * HEIGHT)) -gt "$best_area" ]; then best=$id best_area=$((WIDTH * HEIGHT)); fi
  done
  echo "$best"
}

# keys WINDOW KEY...: the keys, one after another, to the window made active first.
keys() {
  local window=$1 key
  shift
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.3
  done
}

shot() { import -window root "$shots/$1.png"; }

# Waits for process $1 to end by itself with code 0.
ends_with_code_0() {
  local code=0
  for _ in $(seq $((wait_limit * 10))); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$1" 2>/dev/null && fail "$2 did not end"
  wait "$1" || code=$?
  [ "$code" -eq 0 ] || fail "$2 ended with code $code"
}

# Ends every Windows program of the prefix and waits until their windows are gone.
end_programs() {
  local pid
  wineserver -k >/dev/null 2>&1 || true
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  pids=()
  for _ in $(seq 50); do [ -z "$(windows_titled Telvoran)" ] && break; sleep 0.1; done
  wineserver -p </dev/null >/dev/null 2>&1 || true
}

# True when window $1 shows event rows: the pure red and green of two situations, which nothing
# else on the screen is painted in.
shows_event_rows() {
  local colours
  colours=$(import -window "$1" png:- 2>/dev/null |
    convert - -define histogram:unique-colors=true -format %c histogram:info:- 2>/dev/null)
  grep -q '#FF0000' <<<"$colours" && grep -q '#00FF00' <<<"$colours"
}
wait_for_event_rows() {
  for _ in $(seq $((wait_limit * 2))); do
    shows_event_rows "$1" && return 0
    sleep 0.5
  done
  return 1
}

# A copy of the program's folder, made of links, whose own files can be swapped.
folder_copy() {
  rm -rf "$2"
  cp -al "$1" "$2"
}

# --- 1. Start, Polish and English ---------------------------------------------------------------
step "1. the program starts with the Polish library"
run "$deploy/telvoran.exe"
main=$(wait_for_windows Telvoran) || fail "no main window"
sleep 2
shot 1-polish-main-window
# Plik > Otwórz: the Polish menu's keys open the open dialog, which Qt labels in Polish.
keys "$main" alt+p o
dialog=$(wait_for_dialog "$main") || fail "Alt+P, O (Plik, Otwórz) gave no open dialog"
echo "   Alt+P, O opened \"$(xdotool getwindowname "$dialog")\""
sleep 1
shot 1-polish-open-dialog
keys "$dialog" Escape
end_programs

step "1. the program starts with the English library"
english=$work/english
folder_copy "$deploy" "$english"
for file in Telvoran.dll Telvoran.hlp; do
  rm "$english/$file"
  cp "$deploy/lang/en/$file" "$english/$file"
done
run "$english/telvoran.exe"
main=$(wait_for_windows Telvoran) || fail "no main window with the English library"
sleep 2
shot 1-english-main-window
keys "$main" alt+f o
dialog=$(wait_for_dialog "$main") || fail "Alt+F, O (File, Open) gave no open dialog"
echo "   Alt+F, O opened \"$(xdotool getwindowname "$dialog")\""
sleep 1
shot 1-english-open-dialog
keys "$dialog" Escape
end_programs

# --- 2. An archive from the command line, sorted by a click, saved ------------------------------
step "2. an archive named on the command line opens, a click sorts, the view is saved"
archive=2005-03-15_C12.czt
run "$deploy/telvoran.exe" "$(winpath "$files/$archive")"
main=$(wait_for_windows Telvoran) || fail "no main window with the archive"
sleep 3
shot 2-archive-opened
# The view opens at the top left of the client area, its column panels under its title bar
# and heading line; the third panel (channel 2, column 3) lies about 300 pixels in.
xdotool mousemove --window "$main" --sync 300 115 click 1
sleep 2
shot 2-sorted-by-column-3
report=$files/saved-report.txt
keys "$main" alt+p a
dialog=$(wait_for_dialog "$main") || fail "Alt+P, A (Zapisz jako tekst) gave no save dialog"
sleep 1
shot 2-save-dialog
# The name field has the keyboard.
xdotool type --delay 20 "$(winpath "$report")"
keys "$dialog" Return
for _ in $(seq $((wait_limit * 5))); do [ -s "$report" ] && break; sleep 0.2; done
[ -s "$report" ] || fail "the save dialog wrote no report"
sleep 1
for column in 1 2 3 4 5; do
  (cd "$files" && "$linux_build/telvoran-report" --sort $column --output "linux-$column.txt" "$archive")
done
if ! cmp -s "$files/linux-3.txt" "$report"; then
  for column in 1 2 4 5; do
    cmp -s "$files/linux-$column.txt" "$report" && fail "the click sorted by column $column, not 3"
  done
  fail "the saved report differs from the Linux report sorted by column 3"
fi
echo "   the saved report has the Linux report's $(wc -c <"$report") bytes"

# --- 3. The printout ------------------------------------------------------------------------
step "3. the printout has the Linux printout's pages"
(cd "$files" && wine "$deploy/telvoran-report.exe" --sort 2 --pdf windows.pdf alarm2005.zdr \
  </dev/null >>"$log" 2>&1) || fail "telvoran-report.exe --pdf failed"
(cd "$files" && "$linux_build/telvoran-report" --sort 2 --pdf linux.pdf alarm2005.zdr)
pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }
[ "$(pages "$files/windows.pdf")" = "$(pages "$files/linux.pdf")" ] ||
  fail "the printout has $(pages "$files/windows.pdf") pages, on Linux $(pages "$files/linux.pdf")"
pdftoppm -png -r 40 -f 1 -l 1 "$files/windows.pdf" "$shots/3-printout-page"
echo "   $(pages "$files/windows.pdf") pages, as on Linux"

# --- 4. Second copies -----------------------------------------------------------------------
step "4. a second copy with a file hands it over and ends"
shows_event_rows "$main" && fail "event rows before an event archive was opened"
run "$deploy/telvoran.exe" "$(winpath "$files/alarm2005.zdr")"
ends_with_code_0 $! "the copy that handed its file over"
wait_for_event_rows "$main" || fail "the running copy did not open the handed-over file"
shot 4-handed-over

step "4. a second copy without files says that the program runs, and ends"
run "$deploy/telvoran.exe"
second=$!
box=$(wait_for_windows telvoran) || fail "no second-copy box"
sleep 1
shot 4-second-copy-box
keys "$box" Return
ends_with_code_0 "$second" "the second copy"
end_programs

# --- 5. No string library -------------------------------------------------------------------
step "5. without Telvoran.dll the built-in message comes and the program ends"
nolibrary=$work/no-library
folder_copy "$deploy" "$nolibrary"
rm "$nolibrary/Telvoran.dll"
run "$nolibrary/telvoran.exe"
program=$!
box=$(wait_for_windows Error) || fail "no message without the string library"
sleep 1
shot 5-no-library
keys "$box" Return
ends_with_code_0 "$program" "the program without its library"
[ -z "$(windows_titled Telvoran)" ] || fail "a main window without the string library"

# --- 6. Files held by another program -------------------------------------------------------
step "6. an archive held open with sharing opens"
x86_64-w64-mingw32-gcc-posix -municode -O2 -o "$work/hold-file.exe" \
  "$(dirname "$0")/../tests/support/HoldFileWin32.c"
# hold FILE share|alone: another program holds FILE until the programs end.
hold() {
  wine "$work/hold-file.exe" "$(winpath "$1")" "$2" </dev/null >"$work/hold.out" 2>>"$log" &
  pids+=($!)
  for _ in $(seq $((wait_limit * 5))); do grep -qs held "$work/hold.out" && return 0; sleep 0.2; done
  fail "the other program could not hold $1"
}
cp "$files/alarm2005.zdr" "$files/shared.zdr"
hold "$files/shared.zdr" share
run "$deploy/telvoran.exe" "$(winpath "$files/shared.zdr")"
main=$(wait_for_windows Telvoran) || fail "no main window with the shared file"
wait_for_event_rows "$main" || fail "the archive held with sharing did not open"
# A failure about a file is captioned with the file's name.
[ -z "$(windows_titled "shared.zdr - Telvoran")" ] || fail "a message for the archive held with sharing"
shot 6-shared-file-open
end_programs

step "6. an archive held open without sharing gets the retries, then the message"
cp "$files/alarm2005.zdr" "$files/alone.zdr"
hold "$files/alone.zdr" alone
started=$SECONDS
run "$deploy/telvoran.exe" "$(winpath "$files/alone.zdr")"
program=$!
box=$(wait_for_windows "alone.zdr - Telvoran") || fail "no message for the archive held without sharing"
echo "   the message came after about $((SECONDS - started)) s (start-up and about 2 s of retries)"
main=$(wait_for_windows Telvoran) || fail "no main window behind the message"
sleep 1
shot 6-unshared-file-message
shows_event_rows "$main" && fail "the archive held without sharing was shown"
keys "$box" Return
for _ in $(seq $((wait_limit * 5))); do
  [ -z "$(windows_titled "alone.zdr - Telvoran")" ] && break
  sleep 0.2
done
[ -z "$(windows_titled "alone.zdr - Telvoran")" ] || fail "the message did not close"
kill -0 "$program" 2>/dev/null || fail "the program ended after the message"
end_programs

# --- 7. The installer -----------------------------------------------------------------------
if [ -n "$installer" ]; then
  step "7. silent install of $(basename "$installer")"
  wine "$installer" /S </dev/null >>"$log" 2>&1 || fail "the silent install failed"
  # An administrator's installation: for every user, in Program Files.
  target=$WINEPREFIX/drive_c/Program\ Files/Telvoran
  start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Telvoran
  for file in telvoran.exe telvoran-report.exe telvoran-report-pdf.dll telvoran-mkarchive.exe \
    Telvoran.dll Telvoran.hlp lang/en/Telvoran.dll lang/en/Telvoran.hlp Qt6Core.dll \
    platforms/qwindows.dll translations/qtbase_pl.qm qt.conf Uninstall.exe; do
    [ -f "$target/$file" ] || fail "the installation lacks $file"
  done
  [ -f "$start_menu/Telvoran.lnk" ] || fail "no Start-menu entry"
  registry() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
  registry 'HKLM\Software\Classes\.czt' /ve | grep -q Telvoran.IntervalArchive ||
    fail ".czt is not Telvoran's"
  registry 'HKLM\Software\Classes\.zdr' /ve | grep -q Telvoran.EventArchive ||
    fail ".zdr is not Telvoran's"
  registry 'HKLM\Software\Classes\Telvoran.EventArchive\shell\open\command' /ve |
    grep -qi 'telvoran.exe" "%1"' || fail "event archives do not open in Telvoran"
  registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Telvoran' /v UninstallString |
    grep -q Uninstall.exe || fail "no entry among the installed programs"

  step "7. an event archive opened through its file type"
  run start /unix "$files/alarm2005.zdr"
  main=$(wait_for_windows Telvoran) || fail "opening an archive did not start the program"
  wait_for_event_rows "$main" || fail "the program started by the file type shows no rows"
  shot 7-opened-through-file-type
  end_programs

  step "7. silent uninstall"
  wine "$target/Uninstall.exe" /S </dev/null >>"$log" 2>&1 || fail "the silent uninstall failed"
  # The uninstaller works on from a copy of itself: wait for the folder to go.
  for _ in $(seq $((wait_limit * 5))); do [ -e "$target" ] || break; sleep 0.2; done
  [ -e "$target" ] && fail "the uninstall left $(find "$target" | head -n 5)"
  [ -e "$start_menu" ] && fail "the uninstall left the Start-menu entry"
  for key in 'HKLM\Software\Classes\.czt' 'HKLM\Software\Classes\.zdr' \
    'HKLM\Software\Classes\Telvoran.IntervalArchive' 'HKLM\Software\Classes\Telvoran.EventArchive' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Telvoran' 'HKLM\Software\Telvoran'; do
    wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall left $key"
  done
  echo "   nothing left behind"
fi

step "passed; screenshots in $shots"
