#!/usr/bin/env bash
# Opens logs in the desktop program as a person would, on a virtual X display with no window
# manager: the program is started on each log, every message box of the open is answered by
# a mouse click on its OK button, and the screen is photographed before each answer and
# once the open is over. A box that a click does not close, or a program that stops before
# the open is over, fails the run.
#
# Usage: scripts/drive_desktop.sh [-b BUILD_DIR] [-o OUT_DIR] LOG...
#        (without LOG: every log of the folder named by MAVROLIN_CORPUS, default ../shared/corpus)
# Needs xvfb (Xvfb), xdotool and imagemagick (import); it is not part of ./test.sh.
set -uo pipefail
cd "$(dirname "$0")/.."
build=build
out=$(mktemp -d /tmp/mavrolin-drive.XXXXXX)
while getopts "b:o:" opt; do
  case $opt in
    b) build=$OPTARG ;;
    o) out=$OPTARG ;;
    *) sed -n '2,10p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "missing $tool (packages xvfb, xdotool, imagemagick)" >&2; exit 2; }
done
[ -x "$build/mavrolin" ] || { echo "no program at $build/mavrolin: build it first" >&2; exit 2; }
logs=("$@")
if ((${#logs[@]} == 0)); then
  corpus=${MAVROLIN_CORPUS:-../shared/corpus}
  mapfile -t logs < <(find "$corpus" -type f \( -name '*.log' -o -name '*.out' \) | sort)
fi
mkdir -p "$out"

# A free display number.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The message boxes carry the program's name alone as their title; the main window's title
# is longer.
boxes_shown() { xdotool search --onlyvisible --name '^Mavrolin$' 2>/dev/null; }

# OK is the rightmost button of the box's bottom row.
click_ok() {
  local id=$1 X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  xdotool mousemove $((X + WIDTH - 50)) $((Y + HEIGHT - 24)) click 1
}

failed=0
for log in "${logs[@]}"; do
  name=$(basename "$log")
  dir="$out/$name"
  mkdir -p "$dir"
  XDG_CONFIG_HOME="$dir/config" QT_QPA_PLATFORM=xcb "$build/mavrolin" "$log" >"$dir/stderr.txt" 2>&1 &
  program=$!
  answered=0 quiet=0 shot=0 verdict=""
  # The open is over once no box has shown for 3 s (after at least one) or for 15 s.
  while :; do
    if ! kill -0 "$program" 2>/dev/null; then verdict="program ended during the open"; break; fi
    id=$(boxes_shown | head -n 1)
    if [ -z "$id" ]; then
      quiet=$((quiet + 1))
      if { ((answered > 0)) && ((quiet >= 30)); } || ((quiet >= 150)); then break; fi
      sleep 0.1
      continue
    fi
    quiet=0
    shot=$((shot + 1))
    import -window root "$dir/$(printf '%02d' "$shot")_box.png"
    tries=0
    while [ "$(boxes_shown | head -n 1)" = "$id" ] && ((tries < 5)); do
      click_ok "$id"
      tries=$((tries + 1))
      sleep 0.3
    done
    if [ "$(boxes_shown | head -n 1)" = "$id" ]; then verdict="a box took no click on OK"; break; fi
    answered=$((answered + 1))
  done
  import -window root "$dir/final.png"
  kill "$program" 2>/dev/null
  wait "$program" 2>/dev/null
  program=""
  if [ -n "$verdict" ]; then
    failed=1
    echo "FAIL $name: $verdict ($answered boxes answered; pictures in $dir)"
  else
    echo "ok   $name: $answered boxes answered by a click on OK (pictures in $dir)"
  fi
done
exit $failed
