# Sourced by the tests that drive the real program under a private X server. Starts the server
# on a display number of its own and a runtime folder of the test's own, and gives helpers to
# start copies, find their windows and look at them. Exits 77 (skipped) without the tools.
# Expects `wait_limit` (seconds for any one thing to happen) to be set.

for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill -CONT "$pid" 2>/dev/null
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "What the programs printed:"
  cat "$work/output" 2>/dev/null
  exit 1
}

# -displayfd lets the server choose a free display; -noreset keeps it up between clients.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq $((wait_limit * 10))); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "the X server did not start"
export DISPLAY=":$(head -n1 "$work/display")"
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Starts a copy in the background; its id is in $!.
start() {
  "$@" >>"$work/output" 2>&1 &
  pids+=($!)
}

# The visible windows of process $1 titled exactly $2 (xdotool's own match ignores case).
windows_titled() {
  local id
  for id in $(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$2" ] && echo "$id"
  done
}

# Waits until process $1 shows $3 windows titled $2 (default 1), and prints their ids.
wait_for_windows() {
  local count=${3:-1} ids
  for _ in $(seq $((wait_limit * 5))); do
    ids=$(windows_titled "$1" "$2")
    [ -n "$ids" ] && [ "$(wc -l <<<"$ids")" -eq "$count" ] && { echo "$ids"; return 0; }
    sleep 0.2
  done
  return 1
}

# Of the windows $@, the one with the largest area: the main window before its boxes.
largest_window() {
  local id width height best= best_area=0
  for id in "$@"; do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    width=$WIDTH height=$HEIGHT
    if [ $((width * height)) -gt "$best_area" ]; then best=$id best_area=$((width * height)); fi
  done
  echo "$best"
}

press_return_in() {
  xdotool windowactivate --sync "$1" 2>/dev/null
  xdotool windowfocus --sync "$1" 2>/dev/null
  xdotool key --clearmodifiers Return
  xdotool keyup Return
}

# Waits for process $1 to end by itself and checks that its exit code is 0.
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

# True when window $1 shows event rows: the pure red and green of two situations, which
# nothing else on the screen is painted in.
shows_event_rows() {
  local colours
  colours=$(import -window "$1" png:- 2>/dev/null |
    convert - -define histogram:unique-colors=true -format %c histogram:info:- 2>/dev/null)
  grep -q '#FF0000' <<<"$colours" && grep -q '#00FF00' <<<"$colours"
}

# Waits until window $1 shows event rows.
wait_for_event_rows() {
  for _ in $(seq $((wait_limit * 2))); do
    shows_event_rows "$1" && return 0
    sleep 0.5
  done
  return 1
}
