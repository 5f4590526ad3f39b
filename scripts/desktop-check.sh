#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The VEXO T58 utility developers
#
# SPDX-License-Identifier: MIT

# Tries the utility on a real X server as a user would, twice: on a bare Xvfb (no window manager,
# no notification area) and on Xvfb with Openbox and trayer's notification area. Drives the pointer
# with xdotool and reads the screen with xwd. Demo mode only (simulated mouse), in a copy of the
# program's portable layout, so the build's own files are never touched.
#
#   scripts/desktop-check.sh [bare|desktop|both]     (default both)
#
# With DESKTOP_CHECK_SHOTS=1 it also renews docs/screenshot-no-mouse.png (bare server) and
# docs/screenshot-notice.png (the notice of the notification area). Exits non-zero on the first
# failed check.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
mode=${1:-both}
for tool in Xvfb openbox trayer xdotool xwd xwininfo xwdtopnm pngtopnm pnmcut pnmtopng pamsumm; do
  command -v "$tool" >/dev/null || { echo "desktop-check: $tool is missing (scripts/deps.sh installs it)"; exit 2; }
done
[ -x "$build/bin/vexo" ] && [ -d "$build/bin/Skins" ] || { echo "desktop-check: build the project first"; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }
pass() { echo "  ok: $*"; }

# The window of the utility that is on screen, or nothing.
window() { xdotool search --onlyvisible --name '^VEXO T58$' 2>/dev/null | head -1; }
position() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4}/Absolute upper-left Y/{y=$4}END{print x" "y}'; }
mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
shoot_window() { xwd -id "$1" -silent | xwdtopnm 2>/dev/null; }
shoot_root() { xwd -root -silent | xwdtopnm 2>/dev/null; }
# Sum of the samples in a rectangle of the screen: 0 where the black root shows through.
brightness() { shoot_root | pnmcut "$@" | pamsumm -sum -brief; }
wait_for() { # seconds, command...
  local left=$(( $1 * 10 )); shift
  until "$@"; do left=$((left - 1)); [ "$left" -gt 0 ] || return 1; sleep 0.1; done
}
has_window() { [ -n "$(window)" ]; }

start_server() {
  exec 5> "$work/display"
  Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -1 "$work/display")"
}

start_app() { # extra arguments
  "$work/app/vexo" "$@" >>"$work/vexo.log" 2>&1 &
  app=$!
  pids+=($app)
}

end_app() {
  kill -TERM "$app"
  local status=0
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with $status on SIGTERM"
  [ ! -e "$XDG_RUNTIME_DIR/T58SSOP28DPIVerMutex.lock" ] || fail "the lock was left behind"
}

prepare() {
  rm -rf "$work/app" "$work/run"
  mkdir -p "$work/app" "$work/run"
  chmod 700 "$work/run"
  cp "$build/bin/vexo" "$build/bin/config.bin" "$build/bin/str.ini" "$work/app/"
  ln -s "$(cd "$build" && pwd)/bin/Skins" "$work/app/Skins"
  export XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=xcb
}

# Ten passes over each hover region and away again leave the window as it was drawn.
check_hover() {
  local w=$1 x y
  read -r x y < <(position "$w")
  xdotool mousemove $((x + 500)) $((y + 420)); sleep 0.3
  shoot_window "$w" >"$work/before.pnm"
  local spot
  for spot in "90 75" "40 75" "834 14" "859 14" "710 14" "565 619" "669 619" "773 619"; do
    set -- $spot
    for _ in 1 2 3 4 5 6 7 8 9 10; do
      xdotool mousemove $((x + $1)) $((y + $2)); sleep 0.06
      xdotool mousemove $((x + 500)) $((y + 420)); sleep 0.04
    done
  done
  sleep 0.3
  shoot_window "$w" >"$work/after.pnm"
  cmp -s "$work/before.pnm" "$work/after.pnm" || fail "hover left marks on the window"
  xdotool mousemove $((x + 90)) $((y + 75)); sleep 0.3
  shoot_window "$w" >"$work/lit.pnm"
  cmp -s "$work/before.pnm" "$work/lit.pnm" && fail "no over picture was shown"
  xdotool mousemove $((x + 500)) $((y + 420)); sleep 0.2
  pass "ten hover passes over every frame button leave no trace"
}

# A click that does not move is a click; pressing and moving drags the window.
check_drag() {
  local w=$1 x y x2 y2
  read -r x y < <(position "$w")
  xdotool mousemove $((x + 300)) $((y + 130)) click 1; sleep 0.3
  xdotool mousemove $((x + 420)) $((y + 250)); sleep 0.5
  read -r x2 y2 < <(position "$w")
  [ "$x2 $y2" = "$x $y" ] || fail "a click without movement moved the window ($x $y -> $x2 $y2)"
  pass "a click without movement leaves the window where it is"
  xdotool mousemove $((x + 300)) $((y + 130)) mousedown 1; sleep 0.1
  xdotool mousemove $((x + 310)) $((y + 136)); sleep 0.1
  xdotool mousemove $((x + 360)) $((y + 170)); sleep 0.3
  xdotool mouseup 1; sleep 0.3
  read -r x2 y2 < <(position "$w")
  [ "$x2 $y2" != "$x $y" ] || fail "dragging did not move the window"
  xdotool mousemove 20 20; sleep 0.4
  local x3 y3
  read -r x3 y3 < <(position "$w")
  [ "$x3 $y3" = "$x2 $y2" ] || fail "the window stayed stuck to the pointer"
  pass "dragging moves the window, and it stays put once the button is up"
}

run_bare() {
  echo "== bare X server (no window manager, no notification area)"
  start_server
  prepare
  start_app --simulate-unplugged
  wait_for 10 has_window || fail "no window without a notification area"
  local w x y
  w=$(window)
  read -r x y < <(position "$w")
  [ "$x $y" = "200 75" ] || fail "the window is not centred ($x $y)"
  pass "without a notification area the window is shown at start, centred"
  sleep 0.5
  shoot_window "$w" >"$work/no-mouse.pnm"
  # Against the bare background of the skin: the line under the header saying that no mouse is
  # connected, the OK button and the page title must be drawn on it.
  pngtopnm "$work/app/Skins/Black/BasicSet2.png" >"$work/background.pnm" 2>/dev/null
  local part
  for part in "20 112 600 34" "513 609 105 21" "120 50 232 50"; do
    set -- $part
    cmp -s <(pnmcut "$@" "$work/background.pnm") <(pnmcut "$@" "$work/no-mouse.pnm") &&
      fail "nothing is drawn at $part without a mouse"
  done
  pass "without a mouse the frame is drawn and the page says so"
  if [ "${DESKTOP_CHECK_SHOTS:-0}" = 1 ]; then
    pnmtopng "$work/no-mouse.pnm" >docs/screenshot-no-mouse.png
    echo "  wrote docs/screenshot-no-mouse.png"
  fi
  check_hover "$w"
  check_drag "$w"
  read -r x y < <(position "$w")
  xdotool mousemove $((x + 834)) $((y + 14)) click 1; sleep 0.5
  mapped "$w" || fail "Minimise lost the window"
  xdotool key --window "$w" Escape; sleep 0.3
  mapped "$w" || fail "Esc lost the window"
  pass "Minimise and Esc never hide the window"
  local status=0
  timeout 10 "$work/app/vexo" --simulate-unplugged >>"$work/vexo.log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || fail "a second start ended with $status"
  mapped "$w" || fail "a second start hid the window"
  pass "a second start ends at once and the first window stays"
  end_app
  pass "SIGTERM ends the program cleanly"
  kill "${pids[0]}"; pids=()
}

run_desktop() {
  echo "== X server with Openbox and trayer's notification area"
  start_server
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  sleep 1
  trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true --transparent false \
    --tint 0x303030 >"$work/trayer.log" 2>&1 &
  pids+=($!)
  sleep 1
  prepare
  # Without a mouse: the warning comes as a notice beside the icon and stays up for seconds.
  start_app --simulate-unplugged
  sleep 1.5
  [ -z "$(window)" ] || fail "the window is shown although the icon could bring it"
  [ "$(brightness 780 680 500 100)" -gt 0 ] || fail "no notice beside the icon"
  [ "$(brightness 0 0 500 100)" -eq 0 ] || fail "the notice is in the wrong corner"
  if [ "${DESKTOP_CHECK_SHOTS:-0}" = 1 ]; then
    shoot_root | pnmcut 760 660 520 140 | pnmtopng >docs/screenshot-notice.png
    echo "  wrote docs/screenshot-notice.png"
  fi
  sleep 2.5
  [ "$(brightness 780 680 500 100)" -gt 0 ] || fail "the notice was gone within four seconds"
  pass "the no-mouse notice appears beside the icon and is still up after four seconds"
  end_app
  # With the (simulated) mouse: the icon shows the window.
  start_app --simulate
  sleep 1.5
  [ -z "$(window)" ] || fail "the window is shown at start"
  xdotool mousemove 1267 788 click 1
  wait_for 5 has_window || fail "a click on the icon does not show the window"
  pass "a click on the icon shows the window"
  local w x y
  w=$(window)
  check_hover "$w"
  check_drag "$w"
  read -r x y < <(position "$w")
  xdotool mousemove $((x + 834)) $((y + 14)) click 1; sleep 0.5
  mapped "$w" && fail "Minimise did not hide the window"
  xdotool mousemove 1267 788 click 1
  wait_for 5 has_window || fail "the icon does not bring the window back"
  pass "Minimise hides the window and the icon brings it back"
  end_app
  pass "SIGTERM ends the program cleanly"
}

case "$mode" in
  bare) run_bare ;;
  desktop) run_desktop ;;
  both) run_bare; run_desktop ;;
  *) echo "usage: $0 [bare|desktop|both]"; exit 2 ;;
esac
echo "desktop-check: all checks passed"
