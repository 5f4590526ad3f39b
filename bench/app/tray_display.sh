# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Sourced by the whole-process benches that need a notification area: an Xvfb display of their own
# with trayer on it, a portable copy of the build in a scratch folder, and what they share to read
# the utility's window. Before sourcing, set `me` (the script's name, for messages) and `build`
# (the build folder, absolute). It sets `work` (scratch, removed at exit), `pids` (killed at exit;
# add the programs started), `install` (the portable copy) and DISPLAY, QT_QPA_PLATFORM and
# XDG_RUNTIME_DIR, and `settle` (seconds to wait after a start or a showing). Needs Xvfb, trayer and
# xdotool (scripts/deps.sh).

: "${me:?}" "${build:?}" # set by the script that sources this one
# shellcheck disable=SC2034 # read by the scripts that source this one
settle=${SETTLE_SECONDS:-6} # past the 5 s of the start-up notice, so its balloon has gone
for tool in Xvfb trayer xdotool; do
  command -v "$tool" >/dev/null || { echo "$me: $tool is missing (scripts/deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own, with a notification area on it.
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
trayer --edge top --align right --widthtype pixel --width 200 --height 24 >/dev/null 2>&1 &
pids+=($!)
sleep 1
export QT_QPA_PLATFORM=xcb

# A portable copy of the build, so that its own config.bin and str.ini stay untouched.
install=$work/vexo
mkdir -p "$install"
ln "$build/bin/vexo" "$install/vexo" 2>/dev/null || cp "$build/bin/vexo" "$install/vexo"
cp "$build/bin/config.bin" "$build/bin/str.ini" "$install/"
ln -s "$build/bin/Skins" "$install/Skins"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Whether the main window of a process is on screen (the icon and a notice balloon are small).
window_shown() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    xdotool getwindowgeometry "$w" | awk '/Geometry:/ {split($2, s, "x"); if (s[1] >= 400) found = 1} END {exit !found}' &&
      return 0
  done
  return 1
}
