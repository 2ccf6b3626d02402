#!/usr/bin/env bash
# Starts the real program with files under a private X server:
#  given:  a copy started with an event archive and a missing file opens the archive, then
#          shows the missing file's message, and runs on;
#  second: a second copy started with a file (named relative to its own folder) hands it to
#          the running copy and ends silently with code 0, and the running copy shows it; while
#          the running copy is stopped, a second copy shows the second-copy box instead, ends
#          with code 0, and its file is not opened when the running copy goes on.
# Usage: HandOverProcessTest.sh <program> <demo folder> given|second. Exits 77 (skipped)
# without Xvfb, xdotool or ImageMagick.
set -u

program=$1
demo=$2
case_name=$3
wait_limit=60
source "$(dirname "$0")/../support/XvfbSession.sh"

case "$case_name" in
given)
  start "$program" "$demo/alarm2005.zdr" "$demo/missing.zdr"
  copy=$!
  # The message names the missing file in its caption.
  box=$(wait_for_windows "$copy" "missing.zdr - Telvoran") || fail "no message for the missing file"
  main=$(wait_for_windows "$copy" Telvoran) || fail "no main window"
  shows_event_rows "$main" || fail "the archive was not opened before the missing file"
  press_return_in "$box"
  for _ in $(seq $((wait_limit * 5))); do
    [ -z "$(windows_titled "$copy" "missing.zdr - Telvoran")" ] && break
    sleep 0.2
  done
  [ -z "$(windows_titled "$copy" "missing.zdr - Telvoran")" ] || fail "the message did not close"
  kill -0 "$copy" 2>/dev/null || fail "the copy ended"
  # The opened archive is recorded among the recent files, in the settings the test gave.
  if [ -n "${XDG_CONFIG_HOME:-}" ]; then
    grep -q 'alarm2005\.zdr' "$XDG_CONFIG_HOME/Telvoran/Telvoran.conf" 2>/dev/null ||
      fail "the archive is not among the recent files in $XDG_CONFIG_HOME"
  fi
  ;;
second)
  start "$program"
  first=$!
  main=$(wait_for_windows "$first" Telvoran) || fail "the first copy shows no main window"
  shows_event_rows "$main" && fail "rows before any file was opened"

  echo "a second copy while the running copy is stopped"
  kill -STOP "$first"
  cd "$demo"
  start "$program" alarm2005.zdr
  second=$!
  box=$(wait_for_windows "$second" telvoran) || fail "no second-copy box for a stopped copy"
  press_return_in "$box"
  ends_with_code_0 "$second" "the second copy of the stopped one"
  kill -CONT "$first"
  sleep 1
  shows_event_rows "$main" && fail "the file of a copy that gave up was opened"

  echo "a second copy while the running copy answers"
  start "$program" alarm2005.zdr
  third=$!
  ends_with_code_0 "$third" "the copy that handed its file over"
  wait_for_event_rows "$main" || fail "the running copy did not open the handed-over file"
  kill -0 "$first" 2>/dev/null || fail "the running copy ended"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS"
