#!/usr/bin/env bash
# Regenerates the pictures of docs/ from the bundled example: the main window with its
# status bar and the main analysis windows, as the desktop program shows them on a virtual
# X display. Usage: docs/make_screenshots.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run is missing; installing it (package xvfb)"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd=sudo
  $sudo_cmd apt-get install -y xvfb xauth
fi
[ -x "$build/mavrolin" ] || cmake --build "$build" --target mavrolin
python3 examples/make_example_log.py examples/opt_freq_td.log
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# MAVROLIN_SCREENSHOTS makes the program scan the file, write one PNG per window and exit.
# A private settings folder: the run does not touch the user's "Recent Files".
MAVROLIN_SCREENSHOTS="$out" XDG_CONFIG_HOME="$out/config" QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x800x24" "$build/mavrolin" examples/opt_freq_td.log
for png in main_window analysis_report job_summary profile_window spectrum_window ir_window mo_table mo_diagram; do
  if [ ! -s "$out/$png.png" ]; then
    echo "missing picture: $png.png" >&2
    exit 1
  fi
  cp "$out/$png.png" "docs/$png.png"
  echo "docs/$png.png  $(stat -c %s "docs/$png.png") bytes"
done
