#!/usr/bin/env bash
# Starts the real program under a private X server and answers its boxes with xdotool:
#  (a) without its string library it shows the "Error" box and ends with code 0;
#  (b) a second copy shows the second-copy box and ends with code 0, the first runs on;
#  (c) after the first copy is killed outright, a new start runs normally.
# Usage: StartUpProcessTest.sh <program>. Exits 77 (skipped) without Xvfb or xdotool.
set -u

program=$1
wait_limit=60  # seconds for any one thing to happen, generous for a busy machine

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "What the program printed:"
  cat "$work/output" 2>/dev/null
  exit 1
}

# A display number of its own, chosen by the server, so parallel runs never collide; -noreset
# keeps the server up while the last copy is killed and the next one connects.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq $((wait_limit * 10))); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "the X server did not start"
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM
# The guard's lock file goes to a runtime folder of this test alone.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Waits for a visible window of process $1 titled exactly $2 (xdotool's own match ignores
# letter case) and prints its id.
window_of() {
  for _ in $(seq $((wait_limit * 5))); do
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null); do
      [ "$(xdotool getwindowname "$id")" = "$2" ] && { echo "$id"; return 0; }
    done
    sleep 0.2
  done
  return 1
}

press_return_in() {
  xdotool windowfocus --sync "$1" 2>/dev/null
  xdotool key --clearmodifiers Return
}

# Waits for process $1 to end and checks that its exit code is 0.
ends_with_code_0() {
  for _ in $(seq $((wait_limit * 10))); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$1" 2>/dev/null && { kill -9 "$1"; fail "$2 did not end"; }
  wait "$1"
  local code=$?
  [ "$code" -eq 0 ] || fail "$2 ended with code $code"
}

start() {
  "$1" >>"$work/output" 2>&1 &
  pids+=($!)
}

echo "(a) no string library"
mkdir "$work/bare"
cp "$program" "$work/bare/"
start "$work/bare/$(basename "$program")"
bare=$!
box=$(window_of "$bare" "Error") || fail "(a) no Error box"
xdotool search --all --onlyvisible --pid "$bare" --name '^Telvoran$' >/dev/null 2>&1 &&
  fail "(a) a main window appeared"
press_return_in "$box"
ends_with_code_0 "$bare" "(a) the copy without its library"

echo "(b) second copy"
start "$program"
first=$!
window_of "$first" "Telvoran" >/dev/null || fail "(b) the first copy shows no main window"
start "$program"
second=$!
# Captioned with the default title taken from the program file's name "telvoran".
box=$(window_of "$second" "telvoran") || fail "(b) no second-copy box"
press_return_in "$box"
ends_with_code_0 "$second" "(b) the second copy"
kill -0 "$first" 2>/dev/null || fail "(b) the first copy ended"

echo "(c) start after a crash"
kill -9 "$first"
wait "$first" 2>/dev/null
start "$program"
again=$!
window_of "$again" "Telvoran" >/dev/null || fail "(c) the new copy shows no main window"
kill -0 "$again" 2>/dev/null || fail "(c) the new copy ended"

echo "PASS"
